#!/usr/bin/env bash
# The emulated x86-64 machine that runs the x86 tests where this machine's
# kernel cannot run 32-bit code (tests/wine/x86-machine.sh): Debian's QEMU,
# installed, and in $TARDO_CACHE/x86-machine (default /var/cache/tardo)
# Debian 12's own kernel and busybox, downloaded and unpacked (not
# installed), and an initramfs made from busybox, the kernel's virtio, 9p and
# overlay modules and tests/wine/x86-machine-init. Idempotent: once the kernel is in
# the cache no package registry is asked again, and the initramfs is made
# anew (in a second) only when its init script changed. Prints nothing when
# there was nothing to do.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
init=$here/../tests/wine/x86-machine-init
machine=${TARDO_CACHE:-/var/cache/tardo}/x86-machine
name=install-x86-machine
apt_options=()
. "$here/apt-steps.sh"

if ! command -v qemu-system-x86_64 >/dev/null; then
  echo "installing: qemu-system-x86"
  apt_update
  apt_fetch qemu-system-x86 \
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends qemu-system-x86 >/dev/null
fi

# The kernel, the modules the guest loads (in the order it loads them) and
# busybox, from the packages themselves: a full-system emulator runs a
# kernel of its own, and nothing here touches the machine's own boot.
# The modules the guest loads: the 9p file system over virtio, and overlay
# for its /tmp.
wanted="virtio_pci 9pnet_virtio 9p overlay"
made() {
  local module
  for module in $wanted; do [ -f "$machine/initramfs/lib/modules/$module.ko" ] || return 1; done
  [ -f "$machine/vmlinuz" ]
}
if ! made; then
  work=$machine.partial
  $as_root rm -rf "$work"
  $as_root mkdir -p "$work/debs"
  apt_update
  kernel=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -n 1)
  [ -n "$kernel" ] || { echo "$name: no linux-image-*-amd64 package behind linux-image-amd64" >&2; exit 1; }
  echo "fetching the emulated machine's kernel and busybox: $kernel busybox-static into $machine"
  (cd "$work/debs" && apt_fetch "$kernel busybox-static" $as_root apt-get -o APT::Sandbox::User=root -qq download "$kernel" busybox-static)
  for deb in "$work"/debs/*.deb; do $as_root dpkg -x "$deb" "$work/unpacked"; done
  $as_root mkdir -p "$work/initramfs/bin" "$work/initramfs/lib/modules"
  $as_root cp "$work"/unpacked/boot/vmlinuz-* "$work/vmlinuz"
  $as_root cp "$work/unpacked/bin/busybox" "$work/initramfs/bin/busybox"
  # Each module after the ones it needs.
  modules=$(echo "$work"/unpacked/lib/modules/*/kernel)
  loaded=()
  load() {
    local module=$1 file needs
    case " ${loaded[*]} " in *" $module "*) return ;; esac
    file=$(find "$modules" -name "$module.ko" | head -n 1)
    [ -n "$file" ] || { echo "$name: the kernel has no module $module" >&2; exit 1; }
    needs=$(tr '\0' '\n' <"$file" | sed -n 's/^depends=//p' | head -n 1)
    for need in ${needs//,/ }; do load "$need"; done
    $as_root cp "$file" "$work/initramfs/lib/modules/"
    loaded+=("$module")
  }
  for module in $wanted; do load "$module"; done
  printf '%s.ko\n' "${loaded[@]}" | $as_root tee "$work/initramfs/lib/modules/order" >/dev/null
  $as_root rm -rf "$work/debs" "$work/unpacked" "$machine"
  $as_root mv "$work" "$machine"
fi

# The initramfs, whenever the init script is not the one it was made with.
if ! cmp -s "$init" "$machine/initramfs/init" || [ ! -f "$machine/initrd.img" ]; then
  $as_root install -m 755 "$init" "$machine/initramfs/init"
  (cd "$machine/initramfs" && find . | bin/busybox cpio -o -H newc 2>/dev/null | gzip -1) |
    $as_root tee "$machine/initrd.img.partial" >/dev/null
  $as_root mv "$machine/initrd.img.partial" "$machine/initrd.img"
fi
