#!/bin/sh
# The command-line tools: a starting database, statements with parameters
# and from standard input, errors that change nothing, a sample ledger whose
# account totals agree with its records.
set -eu
INIT=$1 SQL=$2 SAMPLE=$3
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$INIT" "$DIR/fmy.dll"
"$INIT" "$DIR/fmy.dll" 2>/dev/null && fail "ledger-init overwrote a database"

out=$("$SQL" "$DIR/fmy.dll" "select id, sys_name, sys_pwd from s_user")
[ "$out" = "$(printf 'id\tsys_name\tsys_pwd\n1\t管理员\t')" ] || fail "user list: $out"

"$SQL" "$DIR/fmy.dll" "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) values (2,12.5,1,'',1,'2024/3/5','Z')" >/dev/null
printf '%s\n' "insert into s_shouru (s_jine, f_class, s_date) values (30, 'Z', '2024-03-05')" \
  "insert into s_shouru (s_jine, f_class, s_date) values (-80.3, 'Z', '2024-03-06 14:30')" > "$DIR/in.sql"
out=$("$SQL" "$DIR/fmy.dll" < "$DIR/in.sql")
[ "$out" = "$(printf 'rows affected: 1\nrows affected: 1')" ] || fail "standard input: $out"

out=$("$SQL" -p t1=2024-03-05 -p t2=2024-03-06 "$DIR/fmy.dll" "select s_jine, s_date, s_other from s_shouru where s_date between :t1 and :t2")
[ "$out" = "$(printf 's_jine\ts_date\ts_other\n12.5\t2024-03-05 00:00:00\t\n30\t2024-03-05 00:00:00\t')" ] || fail "parameters: $out"

if "$SQL" "$DIR/fmy.dll" "delete from s_shouru; delete from s_user" 2>"$DIR/err"; then fail "two statements ran"; fi
[ -s "$DIR/err" ] || fail "no error text"
out=$("$SQL" "$DIR/fmy.dll" "select count(*) as n from s_shouru")
[ "$out" = "$(printf 'n\n3')" ] || fail "a failed statement changed rows: $out"

"$SAMPLE" "$DIR/sample.dll" 500 2 10
out=$("$SQL" "$DIR/sample.dll" "select count(*) from s_shouru")
[ "$out" = "$(printf 'Expr1000\n500')" ] || fail "sample records: $out"
out=$("$SQL" "$DIR/sample.dll" "select count(*) from z_zhanghu inner join (select s_zhanghuid, sum(s_jine) as s from s_shouru where f_class='S' group by s_zhanghuid) t on t.s_zhanghuid = z_zhanghu.id where t.s <> z_zhanghu.z_shouru")
[ "$out" = "$(printf 'Expr1000\n0')" ] || fail "sample income totals disagree: $out"
echo "ledger tools: all good"
