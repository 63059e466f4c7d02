#!/bin/bash
# quizmaker import from the shell, natively and under Wine: the manifest it
# writes beside the bank (or where -o says) is one that check accepts, media
# paths included; with any error it writes nothing and exits 1; option
# mistakes exit 2. The importer's rules are tested natively (core_maker).
#   import.sh QUIZMAKER   (under Wine: WINE_RUN names cmake/wine-run.sh)
set -u
if [ -n "${WINE_RUN:-}" ]; then quizmaker_command=("$WINE_RUN" "$(realpath "$1")"); else quizmaker_command=("$1"); fi
. "$(dirname "$0")/lib/common.sh"
cd "$work" || exit 1

# A French-locale spreadsheet's export: Windows-1252, semicolons, CR LF, a
# quoted line break, pictures beside the bank.
mkdir -p banque/img quiz
convert -size 40x30 xc:red banque/img/rouge.jpg
printf 'Question;R\xe9ponse;M\xe9dia\r\n"Couleur\r\ndu drapeau ?";rouge;img/rouge.jpg\r\n;;\r\n' >banque/couleurs.csv
run import banque/couleurs.csv
expect 0 "import beside the bank" "note: style 1 (pictures) chosen from the media files"
grep -q '^banque/couleurs.csv: imported 1, skipped 0; wrote banque/couleurs.json' "$work/out" ||
    fail "no summary on stdout: $(cat "$work/out")"
grep -q '"caption": "Couleur\\ndu drapeau ?"' banque/couleurs.json || fail "caption not written: $(cat banque/couleurs.json)"
grep -q $'"answer": "rouge"' banque/couleurs.json || fail "answer not written: $(cat banque/couleurs.json)"
run check banque/couleurs.json
expect 0 "check of the imported manifest"

# Elsewhere with -o: the picture's path follows the manifest.
run import banque/couleurs.csv -o quiz/q.json --title "Les couleurs" --mode 4
expect 0 "import with -o"
grep -q '"media": "../banque/img/rouge.jpg"' quiz/q.json || fail "media path not relative to -o: $(cat quiz/q.json)"
run check quiz/q.json
expect 0 "check of the manifest written with -o"

# GIFT: the skipped question named with its line, the summary on stdout.
printf '::Q1:: Capitale ? {=Paris}\n\n::Q2:: Couleur ? {=bleu ~rouge}\n' >banque/geo.gift
run import banque/geo.gift
expect 0 "GIFT import" "^banque/geo.gift:3: skipped: multiple choice (no typed answer)"
grep -q 'imported 1, skipped 1' "$work/out" || fail "GIFT summary: $(cat "$work/out")"

# Errors: every one with its row, exit 1, the existing manifest untouched.
printf 'question;answer\nx;a|b\ny;\xe2\x86\x92\n' >banque/couleurs.csv
cp banque/couleurs.json before.json
run import banque/couleurs.csv
expect 1 "import of a bank with errors" "^banque/couleurs.csv:2: error: answer holds a '|'" \
    "^banque/couleurs.csv:3: error: answer holds" "error: banque/couleurs.csv: 2 errors, nothing written"
cmp -s before.json banque/couleurs.json || fail "a failed import changed the manifest"
if ls banque | grep -q 'quizmaker-tmp'; then fail "a temporary file was left: $(ls banque)"; fi

# Option mistakes, and never the bank itself as the output.
for case in "--style 7|--style must be 0 text" "--first 0|--first must be" "--colour red|unknown option" \
    "-o banque/geo.gift|would replace the bank"; do
    run import banque/geo.gift ${case%%|*}
    expect 2 "import ${case%%|*}" "${case#*|}"
done
grep -q '{=Paris}' banque/geo.gift || fail "the bank was overwritten"

# A French sheet saved by LibreOffice Calc (Windows-1252, ';', every text
# quoted) with a second answer on some rows only: each row without one is
# an error saying what to do, and --format 1 imports the first answers.
printf '"question";"r\xe9ponse";"r\xe9ponse 2"\r\n"Paris ?";"Seine";"Manche"\r\n"Lyon ?";"Rh\xf4ne";\r\n"Nantes ?";"Loire";""\r\n' >banque/fleuves.csv
run import banque/fleuves.csv
expect 1 "import of second answers on some rows" \
    "^banque/fleuves.csv:3: error: secondAnswer is empty in a two-answer quiz: .*--format 1)$" \
    "^banque/fleuves.csv:4: error: secondAnswer is empty" "^quizmaker: error: banque/fleuves.csv: 2 errors, nothing written"
if [ -e banque/fleuves.json ]; then fail "a bank with errors was written"; fi
run import banque/fleuves.csv --format 1
expect 0 "import of the first answers" "^banque/fleuves.csv:2: warning: secondAnswer not stored"
run check banque/fleuves.json
expect 0 "check of the first answers"

finish "import"
