#!/usr/bin/env bash
# Brings translations/talvane_fr_<folder>.ts up to date with the texts of each folder of
# src/ui, translations/talvane_fr_phone.ts with the texts of the phone pages (their
# server's and their script's) and translations/talvane_fr_corewords.ts with those the
# core makes for the window: new texts are added unfinished, texts no longer shown are
# dropped. Run after changing a shown text, then translate what is unfinished (Qt
# Linguist, or by hand).
#   scripts/update_translations.sh [--check]
# With --check nothing is written: it fails when a shown text is missing from the files
# or a translation is missing or unfinished.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
lupdate=/usr/lib/qt6/bin/lupdate
check=0
[[ "${1:-}" == "--check" ]] && check=1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# The file NAME is written to: a copy in --check.
target() { # NAME
    local ts="translations/talvane_fr_$1.ts"
    if (( check )); then
        [[ -f "$ts" ]] && cp "$ts" "$work/$1.ts"
        echo "$work/$1.ts"
    else
        echo "$ts"
    fi
}

# In --check, what the copy brought up to date shows of the file.
compare() { # NAME WHAT
    (( check )) || return 0
    local ts="translations/talvane_fr_$1.ts"
    local copy="$work/$1.ts"
    if ! cmp -s "$copy" "$ts"; then
        echo "$ts does not hold every text shown by $2: run scripts/update_translations.sh" >&2
        diff "$ts" "$copy" | grep '^>.*<source>' | head -20 >&2 || true
        failed=1
    fi
    if grep -q 'type="unfinished"' "$copy"; then
        echo "$ts has unfinished translations:" >&2
        grep -B1 'type="unfinished"' "$copy" | grep '<source>' | head -20 >&2
        failed=1
    fi
}

update() { # NAME SOURCE...
    "$lupdate" -silent -locations none -no-obsolete -source-language en -target-language fr \
        -I src "${@:2}" -ts "$(target "$1")"
    compare "$1" "${*:2}"
}

# The core's texts are marked PHONE_TEXT("…") (the phone pages) or SHOWN_TEXT("…")
# (texts the window also shows) and said through the words they are given: lupdate
# would give each free function's texts a context of its own, so they are gathered
# here, each kind in one context.
update_marked() { # NAME MARKER CONTEXT WHAT SOURCE...
    python3 - "$(target "$1")" "$2" "$3" "${@:5}" <<'PYTHON'
import re
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

ts, marker, context_name, sources = Path(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4:]
literal = r'"(?:[^"\\\n]|\\.)*"'
marked = re.compile(r'\b' + marker + r'\(\s*((?:' + literal + r'\s*)+)\)')
escape = re.compile(r'\\(u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8}|x[0-9a-fA-F]{1,2}|[0-7]{1,3}|.)')
simple = {'n': b'\n', 't': b'\t', 'r': b'\r', 'a': b'\a', 'b': b'\b', 'f': b'\f', 'v': b'\v'}

def unescaped(body):
    out, at = b'', 0
    for found in escape.finditer(body):
        out += body[at:found.start()].encode()
        code = found[1]
        if code[0] in 'uU':
            out += chr(int(code[1:], 16)).encode()
        elif code[0] == 'x':
            out += bytes([int(code[1:], 16)])
        elif code[0].isdigit():
            out += bytes([int(code, 8)])
        else:
            out += simple.get(code, code.encode())
        at = found.end()
    return out + body[at:].encode()

texts = []
for source in sources:
    for found in marked.finditer(Path(source).read_text(encoding='utf-8')):
        text = b''.join(unescaped(piece[1:-1]) for piece in re.findall(literal, found[1])).decode('utf-8')
        if text not in texts:
            texts.append(text)

translated = {}
if ts.exists():
    for context in ElementTree.parse(ts).getroot().iter('context'):
        if context.findtext('name') != context_name:
            continue
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is not None and translation.get('type') not in ('vanished', 'obsolete'):
                translated[message.findtext('source')] = (translation.text or '', translation.get('type') != 'unfinished')

def xml(text):
    return (text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')
            .replace("'", '&apos;').replace('"', '&quot;'))

lines = ['<?xml version="1.0" encoding="utf-8"?>', '<!DOCTYPE TS>',
         '<TS version="2.1" language="fr" sourcelanguage="en">', '<context>', f'    <name>{context_name}</name>']
for text in texts:
    french, finished = translated.get(text, ('', False))
    kind = '' if finished and french else ' type="unfinished"'
    lines += ['    <message>', f'        <source>{xml(text)}</source>',
              f'        <translation{kind}>{xml(french)}</translation>', '    </message>']
lines += ['</context>', '</TS>']
ts.write_text('\n'.join(lines) + '\n', encoding='utf-8')
PYTHON
    compare "$1" "$4"
}

for folder in src/ui/*/; do
    mapfile -t sources < <(find "$folder" -name '*.cpp' -o -name '*.h' | sort)
    grep -qE '\btr\(|translate\(' "${sources[@]}" || continue
    # The program's command line is read in src/main.cpp, beside the app folder.
    [[ "$folder" == src/ui/app/ ]] && sources+=(src/main.cpp)
    update "$(basename "$folder")" "${sources[@]}"
done
update_marked phone PHONE_TEXT PhonePages "the phone pages" \
    $(find src/core/companion -name '*.cpp' -o -name '*.h' | sort) src/core/companion/web/*.js
update_marked corewords SHOWN_TEXT CoreTexts "the core" $(find src/core -name '*.cpp' -o -name '*.h' | sort)
exit "$failed"
