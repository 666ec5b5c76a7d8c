# Sourced by write-buildinfo.sh and verify-release.sh: the versions of the
# toolchain that builds one preset, one "name: version" line each, as
# BUILDINFO records them.

# toolchain_versions default|x64
toolchain_versions() {
    case "$1" in
        x64) target=x86_64-w64-mingw32 debian=x86-64 ;;
        *) target=i686-w64-mingw32 debian=i686 ;;
    esac
    compiler="$target-g++-posix"
    echo "compiler: $("$compiler" --version | head -n 1)$(debian_version "g++-mingw-w64-$debian-posix")"
    echo "binutils: $("$target-objdump" --version | head -n 1)$(debian_version "binutils-mingw-w64-$debian")"
    runtime=$(printf '#include <_mingw.h>\n__MINGW64_VERSION_MAJOR.__MINGW64_VERSION_MINOR.__MINGW64_VERSION_BUGFIX\n' |
        "$compiler" -E -P -x c - | tail -n 1 | tr -d ' ')
    echo "mingw-w64 runtime: $runtime$(debian_version mingw-w64-common)"
}

# The Debian package's own version, where there is one: the upstream
# version alone does not name Debian's patches.
debian_version() {
    version=$(dpkg-query -W -f='${Version}' "$1" 2>/dev/null) && echo " (Debian $1 $version)"
}
