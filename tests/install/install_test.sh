#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs the build into a scratch prefix and into a DESTDIR, checks
# what lands where and that the desktop's validators accept it, then runs the installed programs
# away from the build tree: Lexotrace to its first window on the installed factory files, and
# Typewarden started by the session bus for a script when it is not running.
set -euo pipefail

build=$1
source "$(dirname "$0")/scratch.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for f in bin/lexotrace bin/typewarden bin/lexotrace-script bin/typewarden-script \
    share/orthova/ComparingTextUsingDiff.scpt; do
    [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for id in com.brellum.Lexotrace com.brellum.Typewarden; do
    for f in orthova/Lessons_Initiation_Data.xml orthova/Rules_Initiation_Data.xml \
        applications/$id.desktop metainfo/$id.metainfo.xml dbus-1/services/$id.service \
        icons/hicolor/scalable/apps/$id.svg icons/hicolor/16x16/apps/$id.png \
        icons/hicolor/48x48/apps/$id.png icons/hicolor/256x256/apps/$id.png; do
        [ -s "$share/$f" ] || fail "share/$f is missing"
    done
done
grep -qx "Exec=$prefix/bin/lexotrace" "$share/dbus-1/services/com.brellum.Lexotrace.service" ||
    fail "the Lexotrace bus service does not start the installed program"
desktop-file-validate "$share"/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
    fail "appstreamcli validate"

# The manual pages read back as pages, without a warning, each naming its bus name.
for page in lexotrace:com.brellum.Lexotrace typewarden:com.brellum.Typewarden \
    lexotrace-script:com.brellum.Lexotrace typewarden-script:com.brellum.Typewarden; do
    name=${page%%:*}
    file=$share/man/man1/$name.1.gz
    [ -s "$file" ] || fail "no manual page for $name"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings=w -l "$file" 2>"$scratch/man.err") ||
        fail "man -l $name.1"
    [ -s "$scratch/man.err" ] && { cat "$scratch/man.err" >&2; fail "man warns on $name.1"; }
    for part in NAME SYNOPSIS FILES "SESSION BUS" EXAMPLES "${page#*:}"; do
        grep -q "$part" <<<"$text" || fail "$name.1 has no $part"
    done
done

# Into a DESTDIR: the files land under it, and name the final places.
DESTDIR=$scratch/root cmake --install "$build" --prefix /usr >/dev/null
[ -x "$scratch/root/usr/bin/lexotrace" ] || fail "DESTDIR install: no usr/bin/lexotrace"
grep -qx "Exec=/usr/bin/typewarden" \
    "$scratch/root/usr/share/dbus-1/services/com.brellum.Typewarden.service" ||
    fail "DESTDIR install: the Typewarden bus service does not name /usr/bin/typewarden"

# The installed programs, started from there.
here=$(dirname "$0")
"$here/start_installed.sh" "$prefix" --bus-activation ||
    fail "the installed programs did not start"
# Under a German locale the installed German translation titles the window.
[ -s "$share/orthova/translations/orthova_de.qm" ] || fail "no German translation installed"
german=$(python3 - "$here/../../resources/translations/orthova_de.ts" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot():
    if context.findtext("name") == "lexotrace::SpellErrorAnalysisController":
        for message in context.iter("message"):
            if message.findtext("source") == "Spelling Error Analysis":
                print(message.findtext("translation"))
PY
)
[ -n "$german" ] && [ "$german" != "Spelling Error Analysis" ] ||
    fail "the catalogue has no German title for the analysis window"
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$here/start_installed.sh" "$prefix" --title "$german" ||
    fail "the installed Lexotrace did not start in German"
echo "installed, validated and started from $prefix"
