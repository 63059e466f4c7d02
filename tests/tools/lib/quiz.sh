# Sourced by the end-to-end tests under win/ after common.sh: builds a quiz
# with the quizmaker and the player under test ($wine_run, $quizmaker,
# $player), in the current folder.

# build_quiz NAME: NAME.json into NAME.exe (leaving player.exe, out.txt and
# err.txt beside it); a quiz that cannot be built ends the script.
build_quiz() {
    cp "$player" player.exe
    "$wine_run" "$quizmaker" build "$1.json" -o "$1.exe" --player player.exe >out.txt 2>err.txt
    if [ $? -ne 0 ] || [ ! -f "$1.exe" ]; then
        echo "FAIL: the quiz could not be built: $(tr -d '\r' <err.txt)" >&2
        exit 1
    fi
}
