#!/bin/sh
# Builds the release zip and checks that it holds Vantry.exe, README.md,
# readme.txt, LICENSE and BUILDINFO, and that no link of its README.md names a
# file the zip does not hold; that the program is a GUI executable of the
# build's architecture that imports only libraries Windows always takes from
# the system folder (the compiler runtime is linked in; psapi and wtsapi32
# are bound at run time), that it is within 48 KiB and hardened as Windows'
# binary analysers check (ASLR, DEP, terminal-server aware, the stack
# protector, unwind data on 64-bit and NO_SEH on 32-bit), that every name it
# binds at run time is exported by its library, and that its manifest's
# settings stand in their places;
# and that the Japanese read-me has the form Notepad needs and the program's
# version. Then signs a build of HEAD with a throwaway certificate and checks
# the signed release end to end, and every refusal verify-release.sh and
# sign.sh promise. The signed build and verify-release.sh's rebuild, made
# from two clean clones in two folders, are left in release-check/ of the
# build folder for check-reproducible.sh.
# Usage: check-package.sh <build directory> win32|win64
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$1"
arch=$2
case "$arch" in
    win32) format='PE32 executable (GUI) Intel 80386'; objdump=i686-w64-mingw32-objdump preset=default ;;
    win64) format='PE32+ executable (GUI) x86-64'; objdump=x86_64-w64-mingw32-objdump preset=x64 ;;
    *) echo "unknown architecture: $arch"; exit 1 ;;
esac
file Vantry.exe | grep -q "$format" ||
    { echo "not a $format program: $(file Vantry.exe)"; exit 1; }
# objdump runs on its own, so that its failure stops the check instead of
# leaving an empty import list that would pass.
headers=$($objdump -p Vantry.exe) || { echo "$objdump cannot read Vantry.exe"; exit 1; }
imports=$(printf '%s\n' "$headers" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in kernel32.dll user32.dll comctl32.dll advapi32.dll; do
    case " $imports" in
        *" $dll "*) ;;
        *) echo "the program's imports lack $dll: '$imports'"; exit 1 ;;
    esac
done
for dll in $imports; do
    case "$dll" in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|advapi32.dll|msvcrt.dll) ;;
        *) echo "imports a DLL that Windows may take from the program's folder: $dll"; exit 1 ;;
    esac
done
# Every imported function against scripts/imports.txt: listed for its
# library (and this architecture), and in none of the groups we never want.
# The PE headers let the oldest Windows each program is for load it.
# A line of a library's imports that is not a name (an import by ordinal,
# which objdump shows as <none>) fails the check: it would pass unlisted.
printf '%s\n' "$headers" | awk '/DLL Name: / { dll = tolower($3); next } /^$/ { dll = "" }
    dll == "" || /^\tvma:  Hint\/Ord Member-Name/ { next }
    /^\t[0-9a-f]+\t *[0-9]+  [A-Za-z_][A-Za-z0-9_@?$]*$/ { print dll, $3; next }
    { printf "an import of %s the check cannot read: %s\n", dll, $0 >"/dev/stderr"; bad = 1 }
    END { exit bad }' >imports-of-program.txt ||
    { echo "the program's imports cannot all be read"; exit 1; }
[ "$(wc -l <imports-of-program.txt)" -ge 40 ] ||
    { echo "too few imports read from the program: $(cat imports-of-program.txt)"; exit 1; }
awk -v arch="$arch" 'FNR == NR && $1 == "never" { for (i = 3; i <= NF; i++) never[$i] = $2; next }
    FNR == NR && /^[a-z]/ && (NF == 2 || $3 == arch) { listed[$1 " " $2] = 1; next }
    FNR == NR { next }
    $2 in never { printf "imports %s from %s: never wanted (%s)\n", $2, $1, never[$2]; bad = 1; next }
    !(($1 " " $2) in listed) { printf "imports %s from %s, not in scripts/imports.txt\n", $2, $1; bad = 1 }
    END { exit bad }' "$source_dir/scripts/imports.txt" imports-of-program.txt ||
    { echo "the program's imports are not the listed ones"; exit 1; }
echo "imports: $(wc -l <imports-of-program.txt) functions, each listed in scripts/imports.txt"
# At most 48 KiB, and hardened: ASLR (with the relocations it needs to move),
# DEP, terminal-server aware, and on 64-bit the high-entropy address space;
# the 32-bit program says it has no exception handlers (NO_SEH).
size=$(wc -c <Vantry.exe)
[ "$size" -le 49152 ] || { echo "the program is $size bytes, more than 48 KiB"; exit 1; }
flags="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
case "$arch" in win64) flags="$flags HIGH_ENTROPY_VA" ;; *) flags="$flags NO_SEH" ;; esac
for flag in $flags; do
    printf '%s\n' "$headers" | grep -qx "[[:space:]]*$flag" || { echo "the program lacks $flag"; exit 1; }
done
printf '%s\n' "$headers" | grep -q "^Entry 5 [0-9a-f]* 0*[1-9a-f][0-9a-f]* Base Relocation Directory" ||
    { echo "the program carries no relocations: Windows cannot move it"; exit 1; }
echo "$size bytes; $flags, with relocations"
# Read from the program's code: the stack protector, whose failed check ends
# the program by the platform's fail-fast (int 0x29), so the one function
# that holds that instruction must be called from the guarded functions'
# checks (64 and 58 of them when this was written). On 64-bit, unwind data
# for the entry point and every function the code calls, but for the import
# stubs (a single jump each, which need none) and the compiler's stack probe
# (written without any; its caller follows the call with sub %rax,%rsp).
# On 32-bit, no code that reaches the exception handler chain (%fs:0),
# which NO_SEH says the program has none of.
$objdump -d Vantry.exe >code-of-program.txt || { echo "$objdump cannot disassemble Vantry.exe"; exit 1; }
printf '%s\n' "$headers" | awk -v arch="$arch" '
    function value(hex,  i, n) { n = 0; sub(/^0x/, "", hex)
        for (i = 1; i <= length(hex); i++) n = n * 16 + index("0123456789abcdef", substr(hex, i, 1)) - 1
        return n }
    FNR == NR && $1 == "ImageBase" { entry += value($2) } FNR == NR && $1 == "AddressOfEntryPoint" { entry += value($2) }
    FNR == NR && /^The Function Table/ { table = 1 }
    FNR == NR && table && /^ [0-9a-f]+:\t/ { begin[++unwound] = value($2); end[unwound] = value($3) }
    FNR == NR { next }
    /^ +[0-9a-f]+:\t/ { at = $1; sub(/^0*/, "", at); sub(/:$/, "", at) }
    /\tjmp +\*/ { stub[at] = 1 }
    after_call != "" && /\tsub +%rax,%rsp$/ { probe[after_call] = 1 }
    { after_call = "" }
    /\tcall +0x[0-9a-f]+$/ { after_call = $NF; sub(/^0x0*/, "", after_call); calls[after_call]++ }
    /\tint +\$0x29$/ { fastfail = value(at) }
    /%fs:0x0[,)]|%fs:0x0$/ { chain = at }
    function unwound_at(address,  i) { for (i = 1; i <= unwound; i++) if (begin[i] <= address && address < end[i]) return 1
        return 0 }
    END {
        for (target in calls) if (value(target) <= fastfail && value(target) > value(failing)) failing = target
        if (fastfail == 0 || calls[failing] < 20) {
            printf "no stack protector: %d calls to a function that ends the program by fail-fast\n", calls[failing]
            bad = 1 }
        if (arch == "win32" && chain != "") { printf "the code at %s reaches the exception handler chain\n", chain; bad = 1 }
        if (arch == "win64" && !unwound_at(entry)) { print "no unwind data for the entry point"; bad = 1 }
        for (target in calls) if (arch == "win64" && !(target in stub) && !(target in probe) && !unwound_at(value(target)))
            bare = bare " " target
        if (bare != "") { printf "no unwind data (%d entries) for the functions at%s\n", unwound, substr(bare, 1, 60); bad = 1 }
        if (!bad) printf "stack protector in %d functions%s\n", calls[failing], arch == "win64" ? \
            sprintf("; unwind data for %d functions", unwound) : "; no exception handlers"
        exit bad }' - code-of-program.txt || exit 1
case "$arch" in win32) oldest=5.1 ;; *) oldest=5.2 ;; esac
for version in OSystem Subsystem; do
    found=$(printf '%s\n' "$headers" | awk -v v="$version" '$1 == "Major" v "Version" { major = $2 }
        $1 == "Minor" v "Version" { minor = $2 } END { print major "." minor }')
    [ "$found" = "$oldest" ] || { echo "the program's $version version is $found, not $oldest"; exit 1; }
done

# Every name the program looks up at run time (GetProcAddress through
# BindCall) is exported by the library it is looked up in, as mingw-w64's
# import libraries (made from Windows' own export lists) give them; a name
# Wine lacks would otherwise be checked nowhere. The 32-bit libraries serve
# both programs: the names are the same on x64, and this version of the
# x64 user32 library lacks the dialog DPI calls.
bound=$(awk 'match($0, /"[A-Za-z0-9_]+\.dll"/) { dll = substr($0, RSTART + 1, RLENGTH - 6) }
    /BindCall\(/ && match($0, /, "[A-Za-z0-9_]+"/) { print tolower(dll) ":" substr($0, RSTART + 3, RLENGTH - 4) }' \
    "$source_dir"/app/*.cpp "$source_dir"/process/*.cpp "$source_dir"/ui/*.cpp)
sites=$(cat "$source_dir"/app/*.cpp "$source_dir"/process/*.cpp "$source_dir"/ui/*.cpp | grep -c 'BindCall(')
[ "$(echo "$bound" | grep -c :)" -eq "$sites" ] ||
    { echo "$sites places bind a call at run time, but only these name their library and call: $bound"; exit 1; }
for pair in $bound; do
    library=${pair%%:*} name=${pair#*:}
    i686-w64-mingw32-nm -g "/usr/i686-w64-mingw32/lib/lib$library.a" 2>/dev/null |
        grep -qE " __imp__$name(@[0-9]+)?\$" || { echo "$library.dll does not export $name"; exit 1; }
done
echo "bound at run time, each exported by its library: $(echo $bound)"

# The manifest, read out of the program and parsed as XML: Windows takes a
# setting only at its place (assembly, application, windowsSettings, each
# in its namespace), once, and refuses a manifest that is not well-formed.
wrestool -x --raw -t 24 -n 1 Vantry.exe >manifest-from-program.xml ||
    { echo "the program carries no manifest that wrestool can read"; exit 1; }
in_namespace() { echo "*[local-name()='$1' and namespace-uri()='$2']"; }
settings="/$(in_namespace assembly urn:schemas-microsoft-com:asm.v1)/$(in_namespace application \
    urn:schemas-microsoft-com:asm.v3)/$(in_namespace windowsSettings urn:schemas-microsoft-com:asm.v3)"
while read -r setting year value; do
    path="$settings/$(in_namespace "$setting" "http://schemas.microsoft.com/SMI/$year/WindowsSettings")"
    [ "$(xmllint --xpath "count($path)" manifest-from-program.xml)" = 1 ] &&
        [ "$(xmllint --xpath "string($path)" manifest-from-program.xml)" = "$value" ] ||
        { echo "the manifest's $setting is not '$value' in its place"; exit 1; }
done <<'SETTINGS'
activeCodePage 2019 ja-JP
dpiAware 2005 true
dpiAwareness 2016 PerMonitorV2, System
SETTINGS
# Windows XP refuses a manifest with an element of the asm.v1 namespace that
# it does not know, and ignores the others: the newer settings stand in the
# asm.v3 and settings namespaces.
xp_elements="'assembly' 'assemblyIdentity' 'description' 'dependency' 'dependentAssembly'"
unknown="count(//*[namespace-uri()='urn:schemas-microsoft-com:asm.v1' and not(local-name()=$(echo "$xp_elements" |
    sed 's/ / or local-name()=/g'))])"
[ "$(xmllint --xpath "$unknown" manifest-from-program.xml)" = 0 ] ||
    { echo "the manifest has an asm.v1 element that Windows XP does not know"; exit 1; }
# The highest rights the account has (an administrator sees the UAC prompt),
# in the form Windows XP SP3 reads: trustInfo declares the asm.v3 namespace
# itself, and no element has a prefix. And the systems the program is for.
asm3=urn:schemas-microsoft-com:asm.v3
level="/$(in_namespace assembly urn:schemas-microsoft-com:asm.v1)/$(in_namespace trustInfo $asm3)/$(in_namespace \
    security $asm3)/$(in_namespace requestedPrivileges $asm3)/$(in_namespace requestedExecutionLevel $asm3)"
[ "$(xmllint --xpath "count($level[@level='highestAvailable' and @uiAccess='false'])" manifest-from-program.xml)" = 1 ] &&
    [ "$(xmllint --xpath "count(//$(in_namespace requestedExecutionLevel $asm3))" manifest-from-program.xml)" = 1 ] &&
    grep -q '<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">' manifest-from-program.xml &&
    [ "$(xmllint --xpath "count(//*[name() != local-name()])" manifest-from-program.xml)" = 0 ] ||
    { echo "the manifest does not ask for the highest available rights in the form Windows XP reads"; exit 1; }
compat=urn:schemas-microsoft-com:compatibility.v1
compatibility="/*/$(in_namespace compatibility $compat)/$(in_namespace application $compat)/$(in_namespace supportedOS $compat)/@Id"
systems=$(xmllint --xpath "$compatibility" manifest-from-program.xml | grep -o '{[^}]*}' | sort | tr '\n' ' ')
# In this order: 8.1, 7, 8, 10 and 11, Vista.
[ "$systems" = "{1f676c76-80e1-4239-95bb-83d0f6d0da78} {35138b9a-5d96-4fbd-8e2d-a2440225f93a} {4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38} {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a} {e2011457-1546-43c5-a5fe-008deee3d3f0} " ] ||
    { echo "the manifest names the systems '$systems'"; exit 1; }

cmake --build . --target package >package.log 2>&1 || { cat package.log; echo "the package did not build"; exit 1; }
zip="Vantry-1.2.0.1-$arch.zip"
contents=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$contents" = "BUILDINFO LICENSE README.md Vantry.exe readme.txt " ] || { echo "unexpected contents: $contents"; exit 1; }
unzip -p "$zip" Vantry.exe | cmp -s - Vantry.exe || { echo "the zip's Vantry.exe is not the one built"; exit 1; }
# The zip's README is the source's as zip-readme.sh gives it, and every link
# left in it leads to one of its headings, a web address or a file of the zip.
unzip -p "$zip" README.md >readme-from-zip.md
sh "$source_dir/scripts/zip-readme.sh" "$source_dir/README.md" readme-for-zip.md $contents
cmp -s readme-from-zip.md readme-for-zip.md || { echo "the zip's README.md is not the source's"; exit 1; }
headings=" $(sed -n 's/^#\{1,6\} //p' readme-from-zip.md | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9_\n-' | sed 's/^/#/' | tr '\n' ' ')"
# The links are split at white space and never taken as file patterns.
set -f
for link in $(grep -o -e '](\([^)]*\))' -e '\(src\|href\)="[^"]*"' readme-from-zip.md |
    sed 's/^](//; s/)$//; s/^[a-z]*="//; s/"$//'; sed -n 's/^ \{0,3\}\[[^]]*\]: *\([^ ]*\).*/\1/p' readme-from-zip.md); do
    case "$link" in
        http://*|https://*|mailto:*) ;;
        \#*) case "$headings" in *" $link "*) ;; *) echo "the zip's README links to $link: no such heading"; exit 1 ;; esac ;;
        *) case " $contents" in *" ${link%%#*} "*) ;; *) echo "the zip's README links to $link: not in the zip"; exit 1 ;; esac ;;
    esac
done
set +f
unzip -p "$zip" LICENSE | cmp -s - "$source_dir/LICENSE" || { echo "the zip's LICENSE is not the source's"; exit 1; }
# The Japanese read-me as Notepad shows it correctly on every Windows: a
# UTF-8 byte-order mark, valid UTF-8, CRLF line ends only; and every version
# it names is the one of the program's version resource.
readme=$(pwd)/readme-from-zip.txt
unzip -p "$zip" readme.txt >"$readme" || { echo "the zip holds no readable readme.txt"; exit 1; }
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || { echo "readme.txt has no byte-order mark"; exit 1; }
iconv -f UTF-8 -t UTF-16 "$readme" >/dev/null || { echo "readme.txt is not UTF-8"; exit 1; }
line_feeds=$(tr -cd '\n' <"$readme" | wc -c)
[ "$line_feeds" -gt 0 ] && [ "$(tr -cd '\r' <"$readme" | wc -c)" -eq "$line_feeds" ] &&
    [ "$(grep -c "$(printf '\r')\$" "$readme")" -eq "$line_feeds" ] ||
    { echo "readme.txt has line ends other than CRLF"; exit 1; }
resource_version=$(${objdump%objdump}windres -i Vantry.exe -O rc |
    sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p')
readme_versions=$(grep -o '[0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*' "$readme" | sort -u | tr '\n' ' ')
[ -n "$resource_version" ] && [ "$readme_versions" = "$resource_version " ] &&
    head -n 1 "$readme" | grep -qF "Vantry $resource_version" ||
    { echo "readme.txt names version(s) $readme_versions, the program $resource_version"; exit 1; }
# Japanese readers look for the copyright and the disclaimer first.
awk '/^■ / { section = /^■ 著作権・免責/ } section && /MIT ライセンス/ { found = 1 } END { exit !found }' "$readme" ||
    { echo "readme.txt has no 著作権・免責 section naming the MIT licence"; exit 1; }
unzip -p "$zip" BUILDINFO | grep -qx "preset: $preset" || { echo "BUILDINFO lacks the preset"; exit 1; }
unzip -p "$zip" BUILDINFO | grep -qx "sha256 before signing: $(sha256sum <Vantry.exe | cut -d ' ' -f 1)" ||
    { echo "BUILDINFO does not record this program's hash"; exit 1; }
# The checksum file that the packaging wrote checks out with the usual tool.
[ -f "$zip.sha256" ] || { echo "no $zip.sha256"; exit 1; }
sha256sum -c "$zip.sha256" || { echo "the zip does not match its checksum file"; exit 1; }
echo "imports: $imports"
echo "$zip: $contents"

# Signing, with a certificate made here and thrown away: a build of HEAD
# signed with it, and the checks a maintainer and a user would make.
build_dir=$(pwd)
work=$(mktemp -d /tmp/vantry-signing.XXXXXX)
trap 'rm -rf "$work"' EXIT
# verify-release.sh rebuilds the release's commit once for all the copies
# of the release checked below.
export VANTRY_VERIFY_REBUILT="$build_dir/release-check"
rm -rf "$VANTRY_VERIFY_REBUILT"
password="pw-$(od -An -N8 -tx8 /dev/urandom | tr -d ' ')"
# An impostor's certificate with the maintainers' name and serial number,
# made a second earlier: certificates are stored in the signature in their
# encoding's order, so theirs comes first and the signature verifies.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vantry Test Signer" -set_serial 4660 \
    -keyout "$work/impostor-key.pem" -out "$work/impostor.pem" 2>/dev/null ||
    { echo "openssl could not make the impostor's certificate"; exit 1; }
sleep 1
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vantry Test Signer" -set_serial 4660 \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" \
        -passout "pass:$password" || { echo "openssl could not make the throwaway certificate"; exit 1; }
git clone -q --no-local "$source_dir" "$work/clone/in/another/place" || { echo "cannot clone $source_dir"; exit 1; }
signed="$work/signed"
cmake -S "$work/clone/in/another/place" --preset $preset -B "$signed" -DBUILD_TESTING=OFF \
    -DVANTRY_SIGNING_CERT="$work/signer.pfx" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; echo "the signed build did not configure"; exit 1; }
VANTRY_SIGNING_PASSWORD=$password cmake --build "$signed" --target package >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; echo "the signed build failed"; exit 1; }
! grep -rqF "$password" "$signed" "$work/build.log" || { echo "the password was written down"; exit 1; }
osslsigncode verify -CAfile "$work/cert.pem" -in "$signed/Vantry.exe" >"$work/verify.log" 2>&1 &&
    grep -q 'Signature verification: ok' "$work/verify.log" ||
    { echo "the signature does not verify against its certificate"; exit 1; }
digests=$(grep 'Message digest algorithm' "$work/verify.log" | tr -s ' ')
[ -n "$digests" ] && ! echo "$digests" | grep -qv ': SHA256$' ||
    { echo "the signature's digests are not SHA-256: $digests"; exit 1; }
osslsigncode remove-signature -in "$signed/Vantry.exe" -out "$work/stripped.exe" >/dev/null ||
    { echo "the signature cannot be removed from the signed program"; exit 1; }
unzip -p "$signed/$zip" BUILDINFO |
    grep -qx "sha256 before signing: $(sha256sum <"$work/stripped.exe" | cut -d ' ' -f 1)" ||
    { echo "without its signature the program is not the unsigned build"; exit 1; }
mkdir -p "$VANTRY_VERIFY_REBUILT"
cp "$work/stripped.exe" "$VANTRY_VERIFY_REBUILT/signed-$(git -C "$source_dir" rev-parse HEAD)-$preset.exe"
echo "$work/clone/in/another/place" >"$VANTRY_VERIFY_REBUILT/signed-$(git -C "$source_dir" rev-parse HEAD)-$preset.exe.source"
unzip -p "$signed/$zip" BUILDINFO | grep -qx "commit: $(git -C "$source_dir" rev-parse HEAD)" ||
    { echo "BUILDINFO does not name the commit the signed build was made from"; exit 1; }

# The signed program starts under Wine and lists the processes, in a prefix
# and on a display of this check's own.
VANTRY_ROOT=$source_dir VANTRY_ARCH=$arch
. "$source_dir/scripts/wine-env.sh"
start_private_session release >/dev/null
trap 'end_headless_session; rm -rf "$work"' EXIT
timeout 60 "$build_dir/wine-run.sh" "$signed/Vantry.exe" >/dev/null 2>&1 </dev/null &
signed_vantry=$!
window=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
rows=$("$build_dir/wine-run.sh" "$build_dir/tests/e2e_probe.exe" rows 2>/dev/null </dev/null | grep -c .) || true
[ -n "$window" ] && xdotool windowfocus --sync "$window" key Escape
wait $signed_vantry
[ "$rows" -gt 2 ] || { echo "the signed program did not list the processes ($rows lines)"; exit 1; }
echo "the signed program lists $((rows - 1)) processes"

# A user's check: verify-release.sh refuses, each for its own reason, what
# is not the release, and reproduces the signed zip.
# flip_byte FILE OFFSET: the byte there changed to another.
flip_byte() {
    byte=X
    [ "$(dd if="$1" bs=1 skip="$2" count=1 2>/dev/null)" = X ] && byte=Y
    printf '%s' $byte | dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null
}
# release_with NAME PROGRAM: the signed release with PROGRAM as Vantry.exe, in
# $work/NAME, with a checksum file made to match.
release_with() {
    mkdir -p "$work/$1/content" && unzip -q "$signed/$zip" -d "$work/$1/content" &&
        cp "$2" "$work/$1/content/Vantry.exe" &&
        (cd "$work/$1/content" && cmake -E tar cf "../$zip" --format=zip BUILDINFO LICENSE README.md readme.txt Vantry.exe) &&
        (cd "$work/$1" && sha256sum "$zip" >"$zip.sha256") || { echo "cannot make the $1 release"; exit 1; }
}
# expect_refusal WHAT NAME REASON: verify-release.sh refuses $work/NAME's zip
# and says why.
expect_refusal() {
    if sh "$source_dir/scripts/verify-release.sh" "$work/$2/$zip" "$source_dir" >"$work/$2.log" 2>&1; then
        cat "$work/$2.log"; echo "verify-release.sh accepted $1"; exit 1
    fi
    grep -q "NOT REPRODUCED: .*$3" "$work/$2.log" ||
        { cat "$work/$2.log"; echo "verify-release.sh refused $1 without saying '$3'"; exit 1; }
    echo "refused $1: $(tail -n 1 "$work/$2.log")"
}
# First as users run it, with no rebuild kept from before: a changed unsigned
# program can only be refused by its comparison with a rebuild. That
# rebuild, from a clone of its own, is kept for the checks after it: a
# changed program signed anew (its signature intact) is refused by its
# comparison with the same rebuild, as its log shows.
cp "$work/stripped.exe" "$work/unsigned.exe"
flip_byte "$work/unsigned.exe" 4096
release_with unsigned "$work/unsigned.exe"
expect_refusal "a changed unsigned program" unsigned "is not what commit"
grep -qx "signature: unsigned" "$work/unsigned.log" || { echo "an unsigned program not called unsigned"; exit 1; }
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 -n Vantry \
    -in "$work/unsigned.exe" -out "$work/resigned.exe" >/dev/null || { echo "cannot sign the changed program"; exit 1; }
release_with resigned "$work/resigned.exe"
expect_refusal "a changed program signed anew" resigned "is not what commit"
grep -q '^signature: intact' "$work/resigned.log" && grep -q '^rebuilding ' "$work/unsigned.log" &&
    grep -q '^taking the program .* from ' "$work/resigned.log" ||
    { echo "a refusal above did not come from a rebuild"; exit 1; }
sh "$source_dir/scripts/verify-release.sh" "$signed/$zip" "$source_dir" >"$work/verified.log" ||
    { cat "$work/verified.log"; echo "verify-release.sh refused the signed release"; exit 1; }
fingerprint() { openssl x509 -in "$1" -noout -fingerprint -sha256 | cut -d = -f 2; }
grep -qx "  certificate SHA-256 $(fingerprint "$work/cert.pem")" \
    "$work/verified.log" || { cat "$work/verified.log"; echo "no fingerprint of the signer's certificate"; exit 1; }
grep -e '^signature' -e '^  certificate' -e '^REPRODUCED' "$work/verified.log"
cp "$signed/Vantry.exe" "$work/changed.exe"
flip_byte "$work/changed.exe" 4096
release_with changed "$work/changed.exe"
expect_refusal "a changed signed program" changed "the program is not the one that was signed"
cp "$signed/$zip.sha256" "$work/changed/"
expect_refusal "a zip beside the release's checksum file" changed "does not match"
cp "$signed/$zip" "$work/changed/genuine.zip"
sed 's/ .*/  genuine.zip/' "$signed/$zip.sha256" >"$work/changed/$zip.sha256"
expect_refusal "a zip whose checksum file names the genuine zip" changed "does not match"
rm "$work/changed/$zip.sha256" "$work/changed/genuine.zip"
expect_refusal "a zip without a checksum file" changed "no checksum file"
# The signature itself broken (its last bytes are the signature value), the
# program as built: removing the signature would give the release's bytes.
cp "$signed/Vantry.exe" "$work/broken.exe"
flip_byte "$work/broken.exe" $(($(wc -c <"$work/broken.exe") - 20))
release_with broken "$work/broken.exe"
expect_refusal "a broken signature" broken "the signature is broken"

# The impostor signs the genuine program with their own key and carries the
# maintainers' certificate too: the verifier names the impostor's
# certificate, never the maintainers', and then reproduces the program,
# which is the genuine one.
openssl pkcs12 -export -inkey "$work/impostor-key.pem" -in "$work/impostor.pem" -certfile "$work/cert.pem" \
    -out "$work/impostor.pfx" -passout pass:x &&
    osslsigncode sign -pkcs12 "$work/impostor.pfx" -pass x -h sha256 -n Vantry \
        -in "$work/stripped.exe" -out "$work/impostor.exe" >/dev/null &&
    cat "$work/impostor.pem" "$work/cert.pem" >"$work/both.pem" &&
    osslsigncode verify -CAfile "$work/both.pem" -in "$work/impostor.exe" >/dev/null 2>&1 ||
    { echo "the impostor's signature does not verify: the check below would prove nothing"; exit 1; }
release_with impostor "$work/impostor.exe"
# impostor_named_then_reproduced FINGERPRINT LOG: the certificate line with
# that fingerprint, and after it the REPRODUCED line.
impostor_named_then_reproduced() {
    awk -v line="  certificate SHA-256 $1" '$0 == line { named = 1 } named && /^REPRODUCED: / { found = 1 }
        END { exit !found }' "$2"
}
sh "$source_dir/scripts/verify-release.sh" "$work/impostor/$zip" "$source_dir" >"$work/impostor.log" 2>&1 &&
    ! grep -qF "$(fingerprint "$work/cert.pem")" "$work/impostor.log" &&
    impostor_named_then_reproduced "$(fingerprint "$work/impostor.pem")" "$work/impostor.log" ||
    { cat "$work/impostor.log"; echo "the impostor's release was not shown as theirs and reproduced"; exit 1; }
echo "the impostor's release: $(grep -e '^  certificate' -e '^REPRODUCED' "$work/impostor.log" | head -n 1)"

# sign.sh hands the password to the tool on standard input, never on its
# command line (which every local user can read), and asks the time-stamp
# server named: a stand-in osslsigncode records what it is given.
mkdir -p "$work/stand-in"
cat >"$work/stand-in/osslsigncode" <<STANDIN
#!/bin/sh
printf '%s\n' "\$@" >"$work/stand-in/arguments"
cat >"$work/stand-in/input"
exit 1
STANDIN
chmod +x "$work/stand-in/osslsigncode"
cp "$build_dir/Vantry.exe" "$work/stand-in.exe"
if PATH="$work/stand-in:$PATH" VANTRY_SIGNING_PASSWORD=$password VANTRY_SIGNING_TIMESTAMP_URL=http://tsa.invalid/ \
    sh "$source_dir/scripts/sign.sh" "$work/stand-in.exe" "$work/signer.pfx" 2>/dev/null; then
    echo "sign.sh succeeded where the signing tool failed"; exit 1
fi
[ "$(cat "$work/stand-in/input")" = "$password" ] && ! grep -qF "$password" "$work/stand-in/arguments" ||
    { echo "the password did not reach the tool on standard input alone"; exit 1; }
[ "$(grep -x -A 1 -- -ts "$work/stand-in/arguments" | tail -n 1)" = http://tsa.invalid/ ] ||
    { cat "$work/stand-in/arguments"; echo "no -ts with the time-stamp server's address"; exit 1; }

# A wrong password fails the build with the tool's reason and leaves no
# program behind; a certificate that does not exist stops the configuration.
rm -f "$signed/Vantry.exe"
if VANTRY_SIGNING_PASSWORD=wrong cmake --build "$signed" --target Vantry >"$work/wrong.log" 2>&1; then
    echo "a wrong password built"; exit 1
fi
grep -q 'signing .* failed: ' "$work/wrong.log" && grep -q 'Wrong password?' "$work/wrong.log" &&
    [ ! -e "$signed/Vantry.exe" ] ||
    { cat "$work/wrong.log"; echo "a wrong password left a program or no reason"; exit 1; }
# (make removes a target whose step failed; the signing step does too, for
# any other way of building.)
cp "$build_dir/Vantry.exe" "$work/direct.exe"
VANTRY_SIGNING_PASSWORD=wrong sh "$source_dir/scripts/sign.sh" "$work/direct.exe" "$work/signer.pfx" \
    2>/dev/null && { echo "sign.sh signed with a wrong password"; exit 1; }
[ ! -e "$work/direct.exe" ] || { echo "sign.sh left the unsigned program behind"; exit 1; }
cmake -S "$work/clone/in/another/place" --preset $preset -B "$work/no-cert" -DBUILD_TESTING=OFF \
    -DVANTRY_SIGNING_CERT="$work/missing.pfx" >"$work/missing.log" 2>&1 &&
    { echo "a missing certificate configured"; exit 1; }
grep -q "$work/missing.pfx" "$work/missing.log" || { cat "$work/missing.log"; exit 1; }
echo "signing: verified, runs, reproduced; password on standard input alone; wrong password, missing certificate refused"
