#!/usr/bin/env bash
# Runs a command in an emulated x86-64 machine, for the x86 tests where this
# machine's kernel cannot run 32-bit code:
#   x86-machine.sh FOLDER LOG LIMIT COMMAND...
# QEMU's software emulation boots Debian's own kernel with the initramfs of
# scripts/install-x86-machine.sh (tests/wine/x86-machine-init). The guest
# sees this machine's whole file system read-only and FOLDER writable, both
# at their own paths, and runs COMMAND from the current folder with this
# environment (HOME is a folder of the guest's own). Everything the guest
# prints goes to LOG, and is shown once the machine has ended. The result is
# COMMAND's exit status; a guest that does not boot within 120 s, does not
# end within LIMIT seconds, or ends without a status, is one line and status
# 1. The emulator is gone when this script ends, however it ends (also when
# whoever started it dies first).
set -u
share=$(cd "$1" && pwd) || exit 1
log=$2
limit=$3
shift 3
machine=${TARDO_CACHE:-/var/cache/tardo}/x86-machine
control=$share/.x86-machine
boot_limit=120

rm -rf "$control"
mkdir -p "$control"
printf '%s\n' "$share" >"$control/where"
printf '%s\n' "$limit" >"$control/limit"
{
  export -p | grep -v -E '^declare -x (HOME|OLDPWD|PWD|SHLVL|_)(=|$)'
  printf 'export HOME=/tmp/home\nmkdir -p "$HOME"\n'
  printf 'cd %q || exit 1\n' "$PWD"
  printf 'exec'
  printf ' %q' "$@"
  printf '\n'
} >"$control/run.sh"

# QEMU takes a comma in a path as ",,". The guest CPU is the plain x86-64
# one: it runs Debian's programs, and its lack of SMAP is needed (with SMAP,
# QEMU 7.2's far return to 32-bit code faults in the guest kernel); the
# newer vector instructions that "max" offers take the emulator twice as
# long for the C library's copies. Four guest CPUs emulated in turn by one
# host thread: a Wine program, its wineserver and the test that runs them
# then each keep a CPU of their own, so that a request to the server
# switches no address space (which costs the emulator its whole translation
# cache of addresses). Measured over the whole win32 suite, on an idle
# machine: 19 minutes with two guest CPUs, 15 with four (a Wine program
# started in half the time with two than with one). The clock stays the
# HPET: with the TSC the guest's clock and its timers disagree, and Wine's
# scheduler starts a job before its minute.
option_path() { printf '%s' "${1//,/,,}"; }
: >"$log"
setpriv --pdeathsig KILL qemu-system-x86_64 -accel tcg,thread=single -cpu qemu64 -smp 4 -m 6G \
  -nodefaults -no-reboot -display none -bios qboot.rom \
  -chardev "file,id=console,path=$(option_path "$log")" -serial chardev:console \
  -kernel "$machine/vmlinuz" -initrd "$machine/initrd.img" -append "console=ttyS0 quiet panic=-1" \
  -virtfs "local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap" \
  -virtfs "local,path=$(option_path "$share"),mount_tag=share,security_model=none,multidevs=remap" \
  </dev/null >"$control/qemu.out" 2>&1 &
qemu=$!
# The machine is stopped before anything is shown.
trap 'kill -KILL "$qemu" 2>/dev/null; wait "$qemu" 2>/dev/null' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

stopped=""
stop() {
  [ -z "$stopped" ] || return 0
  stopped=1
  kill -KILL "$qemu" 2>/dev/null
  wait "$qemu" 2>/dev/null
  tr -d '\r' <"$log"
}
fail() {
  stop
  echo "x86-machine: $* (see $log)"
  exit 1
}
start=$SECONDS
booted=""
while kill -0 "$qemu" 2>/dev/null; do
  if [ -z "$booted" ] && grep -q '^x86-machine: booted' "$log"; then
    booted=$((SECONDS - start))
  fi
  [ -n "$booted" ] || [ $((SECONDS - start)) -lt $boot_limit ] ||
    fail "the emulated machine did not boot within $boot_limit s"
  [ $((SECONDS - start)) -lt "$limit" ] || fail "the emulated machine did not finish within $limit s"
  sleep 1
done
wait "$qemu"
qemu_status=$?
stop
[ $qemu_status -eq 0 ] || fail "the emulator ended with status $qemu_status: $(head -c 300 "$control/qemu.out")"
if [ -z "$booted" ]; then
  grep -q '^x86-machine: booted' "$log" || fail "the emulated machine did not boot"
  booted=$((SECONDS - start))
fi
[ -s "$control/status" ] || fail "the emulated machine ended without the command's exit status"
status=$(cat "$control/status")
echo "x86-machine: booted in $booted s, ran for $((SECONDS - start)) s, exit status $status"
exit "$status"
