#!/usr/bin/env bash
# Runs the network test program under Wine against a loopback HTTP server
# and a loopback FTP server started here. WinINet takes no port in a
# location, so the servers listen on ports 80 and 21 of a loopback address
# of this test's own (127.0.0.115 unless KEL_NET_ADDR says otherwise), and
# a lock file keeps two runs on the same address apart.
set -euo pipefail
exe=$1
addr=${KEL_NET_ADDR:-127.0.0.115}
root=$(mktemp -d)
exec 9>"/tmp/kel-xml-net-$addr.lock"
flock -w 300 9
# Debian's interpreter carries python3-pyftpdlib; another python3 first in
# PATH may not.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$root"
}
trap cleanup EXIT

mkdir -p "$root/http/docs" "$root/ftp/in/sub"
printf '<?xml version="1.0"?>\n<doc from="http"><item>eins</item></doc>\n' > "$root/http/docs/doc.xml"
printf '<?xml version="1.0"?>\n<doc from="ftp"><item>zwei</item></doc>\n' > "$root/ftp/in/sub/doc.xml"

"$py" -m http.server 80 --bind "$addr" --directory "$root/http" >/dev/null 2>&1 9>&- &
pids+=($!)
"$py" - "$addr" "$root/ftp" >/dev/null 2>&1 9>&- <<'PY' &
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
auth = DummyAuthorizer()
auth.add_user("kel", "geheim", sys.argv[2], perm="elradfmw")
FTPHandler.authorizer = auth
FTPServer((sys.argv[1], 21), FTPHandler).serve_forever()
PY
pids+=($!)
for _ in $(seq 50); do
  if "$py" -c "import socket,sys; [socket.create_connection((sys.argv[1], p), 1).close() for p in (80, 21)]" "$addr" 2>/dev/null; then
    break
  fi
  sleep 0.1
done

unset http_proxy https_proxy ftp_proxy HTTP_PROXY
export no_proxy="$addr,localhost" KEL_NET_ADDR="$addr" KEL_NET_ROOT="$root"
wine "$exe" --gtest_brief=1 9>&-
