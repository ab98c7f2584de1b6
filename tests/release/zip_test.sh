#!/usr/bin/env bash
# The release zip as a Windows user meets it: one folder that holds exactly
# the program's files, each as it was built, and a horalet.exe that runs from
# that folder and keeps its list there.
#   CPACK_COMMAND, CPACK_CONFIG     cpack and the build's CPackConfig.cmake
#   PACKAGE_ZIP, PACKAGE_FOLDER     the archive's name and its one top folder
#   HORALET_VERSION, SOURCE_DIR     what the text files are made from
#   HORALET_BUILT, HORACTL_EXE      the build's horalet.exe and horactl.exe
source "$(dirname "$0")/lib.sh"

echo "-- cpack makes the zip"
"$CPACK_COMMAND" -G ZIP --config "$CPACK_CONFIG" -B "$workdir/out" >"$workdir/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$workdir/cpack.log")"
zip=$workdir/out/$PACKAGE_ZIP
[ -f "$zip" ] || fail "no $PACKAGE_ZIP in $(ls "$workdir/out")"

echo "-- the zip holds the program's files, and only those, in one top folder"
for file in horalet.exe Horalet.chm "wave files/reminder.wav" README.txt LICENSE.txt DSEG-LICENSE.txt; do
    echo "$PACKAGE_FOLDER/$file"
done | LC_ALL=C sort >"$workdir/expected"
unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort >"$workdir/listed"
diff -u "$workdir/expected" "$workdir/listed" || fail "the zip's files differ from the program's"

unzip -q "$zip" -d "$workdir/unpacked"
folder=$workdir/unpacked/$PACKAGE_FOLDER

echo "-- the unpacked files are the built ones"
cmp "$folder/horalet.exe" "$HORALET_BUILT" || fail "horalet.exe is not the one built"
# Shipped stripped; its symbols stay with the build, named by the exe.
! grep -qa '\.debug_info' "$folder/horalet.exe" || fail "horalet.exe ships with its debugging sections"
grep -qa 'horalet\.debug' "$folder/horalet.exe" || fail "horalet.exe does not name its symbols' file"
[ -s "$(dirname "$HORALET_BUILT")/horalet.debug" ] || fail "no horalet.debug beside the build"
cmp "$folder/wave files/reminder.wav" "$SOURCE_DIR/res/wave/reminder.wav" || fail "reminder.wav differs"
[ "$(head -c 4 "$folder/Horalet.chm")" = ITSF ] || fail "Horalet.chm is not a compiled help file"

echo "-- the texts have Windows line ends and their sources' words"
same_text() {  # packed file, its source with the version filled in
    has_crlf_lines "$folder/$1" || fail "$1 has lines without CR LF"
    tr -d '\r' <"$folder/$1" | cmp -s - <(sed "s/@PROJECT_VERSION@/$HORALET_VERSION/g" "$2") ||
        fail "$1 differs from $2"
}
same_text README.txt "$SOURCE_DIR/packaging/README.txt"
same_text LICENSE.txt "$SOURCE_DIR/LICENSE"
same_text DSEG-LICENSE.txt "$SOURCE_DIR/res/fonts/DSEG-LICENSE.txt"
grep -q "^MIT License" "$folder/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"
grep -q "SIL OPEN FONT LICENSE Version 1.1" "$folder/DSEG-LICENSE.txt" || fail "DSEG-LICENSE.txt is not the OFL"

echo "-- horalet.exe starts in its unpacked folder and keeps its list there"
# As from a double-click in Explorer: the current folder is the exe's own.
launch_horalet bash -c 'cd "$1" && exec wine ./horalet.exe' _ "$folder"
exit_horalet
[ -f "$folder/autosave.ini" ] || fail "no autosave.ini in the unpacked folder"
echo "release zip: all checks passed"
