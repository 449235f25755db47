#!/usr/bin/python3
"""Writes the page: the template with the page's script and the program's in place of their
markers, the icon as a data: URL, the version, and a Content-Security-Policy that lets
exactly those two scripts run, by their SHA-256 hashes. Nothing in it depends on where or
when it was built.

    inline_page.py TEMPLATE PAGE_SCRIPT PROGRAM_SCRIPT ICON VERSION PAGE
"""
import base64
import hashlib
import sys


def replace_once(page, marker, text, template):
    if marker not in page:
        sys.exit("%s has no %s" % (template, marker.decode()))
    return page.replace(marker, text, 1)


def main(template, page_script, program_script, icon, version, out):
    with open(template, "rb") as f:
        page = f.read()
    elements, hashes = [], b""
    for marker, path in ((b"<script>/* the page */</script>", page_script),
                         (b"<script>/* the program */</script>", program_script)):
        with open(path, "rb") as f:
            text = b"\n" + f.read() + b"\n"
        if b"</script" in text:
            sys.exit("%s contains </script and cannot be inlined" % path)
        # The hash is of the element's text exactly as it stands in the page.
        hashes += b" 'sha256-" + base64.b64encode(hashlib.sha256(text).digest()) + b"'"
        elements.append((marker, b"<script>" + text + b"</script>"))
    with open(icon, "rb") as f:
        icon_url = b"data:image/png;base64," + base64.b64encode(f.read())
    # First the template's own markers, then the scripts, whose text is not searched.
    for marker, text in ((b"@VERSION@", version.encode()), (b"@icon@", icon_url),
                         (b"@hashes@", hashes)):
        page = replace_once(page, marker, text, template)
    for marker, element in elements:
        page = replace_once(page, marker, element, template)
    with open(out, "wb") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])
