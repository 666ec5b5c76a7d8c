# Checks what "e2e_probe layout" read from a running Vantry against the
# layout at the DPI wanted (-v want=144): each figure is its size at 96 DPI
# scaled, give or take a pixel; every caption and text fits its place.
# Prints what is wrong and exits 1.
function s(figure) { return figure * dpi / 96 }
function near(what, got, expected) {
    if (got < expected - 1 || got > expected + 1) {
        printf "%s is %d, not %d\n", what, got, expected
        bad = 1
    }
}
function fits(what, needed, room) {
    if (needed <= 0 || needed > room) {
        printf "%s needs %d pixels and has %d\n", what, needed, room
        bad = 1
    }
}
$1 == "dpi" {
    dpi = $2
    if (dpi != want) { printf "the dialog is drawn at %d DPI, not %d\n", dpi, want; bad = 1 }
}
$1 == "client" { width = $2; height = $3 }
$1 == "control" { x[$2] = $3; y[$2] = $4; w[$2] = $5; h[$2] = $6 }
$1 == "ideal" { ideals[$2]++; fits("the caption of button " $2, $3, w[$2]); fits("the caption height of button " $2, $4, h[$2]) }
# column INDEX WIDTH HEADER-TEXT WIDEST-CELL-TEXT; the list pads a text by
# a few pixels on each side, so a text fits when it leaves 12 (scaled).
$1 == "column" {
    columns++
    near("column " $2 "'s width", $3, s(base[$2]))
    fits("the header of column " $2, $4 + s(12), $3)
    if ($2 < 2) fits("the widest text of column " $2, $5 + s(12), $3)
}
BEGIN { base[0] = 50; base[1] = 100; base[2] = 300; base[3] = 100 }
END {
    if (dpi == "" || width == "" || columns != 4 || ideals[1] != 1 || ideals[1002] != 1) {
        print "the layout could not be read (DPI, client size, four columns, each button's caption)"
        exit 1
    }
    near("the list's left", x[1001], s(10)); near("the list's top", y[1001], s(10))
    near("the list's width", w[1001], width - s(20)); near("the list's height", h[1001], height - s(60))
    near("the refresh button's left", x[1002], width - s(235))
    near("the end button's left", x[1], width - s(120))
    for (id = 1; id <= 1002; id += 1001) {
        near("button " id "'s top", y[id], height - s(35))
        near("button " id "'s width", w[id], s(110)); near("button " id "'s height", h[id], s(25))
    }
    # The finder: left of the buttons, as they are placed.
    near("the finder's left", x[1003], s(10)); near("the finder's top", y[1003], height - s(35))
    near("the finder's width", w[1003], s(25)); near("the finder's height", h[1003], s(25))
    exit bad
}
