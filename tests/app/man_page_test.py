"""The manual page keeps step with the program: every option `orvex --help` lists is documented."""
import os
import re
import subprocess
import sys
import unittest

from orvex_testing import no_display

ORVEX = sys.argv.pop(1)
MAN_PAGE = sys.argv.pop(1)


def help_options():
    text = subprocess.run([ORVEX, "--help"], env=no_display(), capture_output=True, text=True,
                          check=True).stdout
    options = text.split("Options:", 1)[1]
    # "  -h, --help   Displays ..." and "  --board <auto|sim|parport>  Which ...": the names only.
    return {name for line in options.splitlines()
            for name in re.findall(r"(?:^\s+|, )(--?[a-z][a-z-]*)", line)}


def documented_options():
    """The option names the OPTIONS section sets in bold, roff's escapes and font changes undone."""
    with open(MAN_PAGE) as file:
        page = file.read().replace("\\-", "-")
    page = re.sub(r"\\f[BIRP]", "", page)
    section = page.split(".SH OPTIONS\n", 1)[1].split("\n.SH ", 1)[0]
    names = set()
    for line in section.splitlines():
        if line.startswith((".B ", ".BR ", ".BI ")):
            names.update(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", line))
    return names


class ManPage(unittest.TestCase):
    def test_every_option_of_the_help_is_documented_in_the_manual_page(self):
        listed = help_options()
        self.assertIn("--board", listed)  # the help was read at all
        missing = sorted(listed - documented_options())
        self.assertEqual(missing, [], "options missing from " + MAN_PAGE)


if __name__ == "__main__":
    unittest.main()
