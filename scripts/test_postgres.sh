#!/usr/bin/env bash
# Sourced by scripts/test.sh: a PostgreSQL server of the tests' own, in a
# temporary folder, listening only on a Unix socket there (no TCP port), run
# as an unprivileged user when the tests run as root; stopped when the
# caller's shell exits. The tests find it in PORTIQA_TEST_PG; when it cannot
# start, the tests that need it show as skipped.
pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$pg_bin" ] || [ ! -x "$pg_bin/initdb" ]; then
  echo "PostgreSQL: no server binaries found; its tests will be skipped"
  return 0
fi
pg_dir=$(mktemp -d /tmp/portiqa-pg.XXXXXX)
chmod 755 "$pg_dir"
pg_as() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
[ "$(id -u)" -eq 0 ] && chown postgres "$pg_dir"
pg_stop() {
  pg_as "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$pg_dir"
}
trap pg_stop EXIT
if pg_as "$pg_bin/initdb" -D "$pg_dir/data" -A trust -U portiqa --no-sync >"$pg_dir/initdb.log" 2>&1 &&
   pg_as "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w -t 60 \
     -o "-k $pg_dir -c listen_addresses= -F" start >/dev/null &&
   pg_as "$pg_bin/createdb" -h "$pg_dir" -U portiqa portiqa_test &&
   pg_as "$pg_bin/createdb" -h "$pg_dir" -U portiqa portiqa_cli; then
  # One database for the record's own tests (each starts from empty tables),
  # another for the command line's, which run beside them.
  export PORTIQA_TEST_PG="postgresql://portiqa@localhost/portiqa_test?host=$pg_dir"
  export PORTIQA_TEST_PG_CLI="postgresql://portiqa@localhost/portiqa_cli?host=$pg_dir"
  echo "PostgreSQL: test server on $pg_dir"
else
  echo "PostgreSQL: the test server did not start; its tests will be skipped"
  cat "$pg_dir"/*.log 2>/dev/null | tail -20 || true
fi
