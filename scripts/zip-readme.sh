#!/bin/sh
# Writes the README as the release zip carries it: the source's, but where a
# link or a picture names a file the zip does not hold (CONTRIBUTING.md, the
# screenshots under docs/), the link is its text alone and the picture is
# left out, so that nothing in the zip's README leads nowhere. Links to a
# heading of the README, to a web address, and to the zip's own files stay.
# Usage: zip-readme.sh <README.md> <output> <each file of the zip>...
set -e
source=$1 output=$2
shift 2
awk -v zipped=" $* " '
    function kept(target) {
        sub(/#.*/, "", target)
        return target == "" || target ~ /^(https?|mailto):/ || index(zipped, " " target " ") > 0
    }
    {
        line = $0
        out = ""
        while (match(line, /!?\[[^]]*\]\([^)]*\)/)) {
            link = substr(line, RSTART, RLENGTH)
            out = out substr(line, 1, RSTART - 1)
            line = substr(line, RSTART + RLENGTH)
            text = link
            sub(/^!?\[/, "", text)
            sub(/\]\(.*/, "", text)
            target = link
            sub(/^[^(]*\(/, "", target)
            sub(/\)$/, "", target)
            if (kept(target))
                out = out link
            else if (substr(link, 1, 1) != "!")
                out = out text
        }
        out = out line
        # A line that held pictures alone goes, with the blank line after it.
        if (out ~ /^[ \t]*$/ && $0 !~ /^[ \t]*$/) {
            dropped = 1
            next
        }
        if (dropped && out == "") {
            dropped = 0
            next
        }
        dropped = 0
        print out
    }' "$source" >"$output"
