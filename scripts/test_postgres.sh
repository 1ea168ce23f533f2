#!/usr/bin/env bash
# Sourced by scripts/test.sh: a PostgreSQL server of the tests' own, in a
# temporary folder, listening only on a Unix socket there (no TCP port), run
# as an unprivileged user when the tests run as root; stopped when the
# caller's shell exits. The tests find it in PORTIQA_TEST_PG; when it cannot
# start, the tests that need it show as skipped.
# With PORTIQA_PG_TCP=1 (the Windows tests under wine, which have no Unix
# socket) it listens on a free loopback port instead, and TCP logins need a
# password (SCRAM), given to the tests in PGPASSWORD as libpq reads it.
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
pg_init=(-A trust)
pg_listen="-c listen_addresses="
pg_host="?host=$pg_dir"
pg_port=5432
if [ "${PORTIQA_PG_TCP:-}" = 1 ]; then
  pg_port=55432
  while (exec 3<>"/dev/tcp/127.0.0.1/$pg_port") 2>/dev/null; do pg_port=$((pg_port + 1)); done
  export PGPASSWORD="portiqa-$RANDOM$RANDOM"
  printf '%s\n' "$PGPASSWORD" >"$pg_dir/pw" && chmod 644 "$pg_dir/pw"
  pg_init=(--auth-local=trust --auth-host=scram-sha-256 --pwfile="$pg_dir/pw")
  pg_listen="-c listen_addresses=127.0.0.1 -p $pg_port"
  pg_host=""
fi
if pg_as "$pg_bin/initdb" -D "$pg_dir/data" "${pg_init[@]}" -U portiqa --no-sync >"$pg_dir/initdb.log" 2>&1 &&
   pg_as "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w -t 60 \
     -o "-k $pg_dir $pg_listen -F" start >/dev/null &&
   pg_as "$pg_bin/createdb" -h "$pg_dir" -p "$pg_port" -U portiqa portiqa_test &&
   pg_as "$pg_bin/createdb" -h "$pg_dir" -p "$pg_port" -U portiqa portiqa_cli &&
   pg_as "$pg_bin/createdb" -h "$pg_dir" -p "$pg_port" -U portiqa portiqa_gui; then
  # One database for the record's own tests (each starts from empty tables),
  # another for the command line's, which run beside them, and one for the
  # window's, whose server connection a test stops.
  if [ -n "$pg_host" ]; then
    export PORTIQA_TEST_PG="postgresql://portiqa@localhost/portiqa_test$pg_host"
    export PORTIQA_TEST_PG_CLI="postgresql://portiqa@localhost/portiqa_cli$pg_host"
    export PORTIQA_TEST_PG_GUI="postgresql://portiqa@localhost/portiqa_gui$pg_host"
    echo "PostgreSQL: test server on $pg_dir"
  else
    export PORTIQA_TEST_PG="postgresql://portiqa@127.0.0.1:$pg_port/portiqa_test"
    export PORTIQA_TEST_PG_CLI="postgresql://portiqa@127.0.0.1:$pg_port/portiqa_cli"
    export PORTIQA_TEST_PG_GUI="postgresql://portiqa@127.0.0.1:$pg_port/portiqa_gui"
    echo "PostgreSQL: test server on 127.0.0.1:$pg_port (password in PGPASSWORD)"
  fi
else
  echo "PostgreSQL: the test server did not start; its tests will be skipped"
  cat "$pg_dir"/*.log 2>/dev/null | tail -20 || true
fi
