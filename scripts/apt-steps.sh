# Sourced by the install scripts: the apt-get steps, made to outlast a
# registry's bad moment. A mirror in mid-sync can fail one index of many
# (seen: "File has unexpected size ... Mirror sync in progress?") while the
# package needed downloads fine from the lists that did come, so a failing
# update is reported and passed over; only the install or download itself
# decides. The caller sets apt_options (options for every apt-get call, may
# be empty) and name (its own name, for the messages).
as_root=""
[ "$(id -u)" -eq 0 ] || as_root="sudo"

apt_update() {
  $as_root apt-get "${apt_options[@]}" update -qq ||
    echo "$name: apt-get update reported a failing index; going on with the lists it has" >&2
}

# apt_fetch WHAT COMMAND...: runs COMMAND (an apt-get install or download)
# up to three times, with fresh lists before each retry; after the third
# failure one line names WHAT, and the result is 1.
apt_fetch() {
  local what=$1 try
  shift
  for try in 1 2 3; do
    "$@" && return 0
    [ $try -eq 3 ] && break
    echo "$name: apt-get failed for $what; trying again in 10 s" >&2
    sleep 10
    apt_update
  done
  echo "$name: could not get $what from the package registry (apt-get failed 3 times)" >&2
  return 1
}
