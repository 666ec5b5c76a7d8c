# Reads "openssl asn1parse" of an Authenticode signature (PKCS #7 signed
# data) and prints where its signer info's parts are: the number of signer
# infos, the offset and length (header included) of the signed attributes,
# the offset and length of the signature value, and the digest's name.
function field(name,    text) {
    if (!match($0, name "= *[0-9]+")) return -1
    text = substr($0, RSTART, RLENGTH)
    sub(/.*= */, "", text)
    return text + 0
}
{ offset = $1 + 0; depth = field("d"); header = field("hl"); size = field(" l") }
depth == 3 {
    in_signers = / SET /
    signers = 0; attributes = ""; value = ""; digest = ""
}
in_signers && depth == 4 { signers++ }
in_signers && signers == 1 && depth == 5 && /cont \[ 0 \]/ && attributes == "" {
    attributes = offset " " (header + size)
}
in_signers && signers == 1 && depth == 5 && /OCTET STRING/ && value == "" { value = (offset + header) " " size }
in_signers && signers == 1 && depth == 6 && /OBJECT/ && digest == "" {
    digest = $0; sub(/.*:/, "", digest); sub(/ *$/, "", digest)
}
END { print signers, attributes, value, digest }
