#!/usr/bin/env python3
"""The language check on altered copies of the shipped files."""
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
import check_language  # noqa: E402

CHINESE = os.path.join(os.path.dirname(HERE), "zavomgr.lng")
ENGLISH = os.path.join(os.path.dirname(HERE), "english.lng")


def problems_with(path, old, new):
    text = open(path, encoding="utf-8").read()
    assert old in text, old
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".lng", delete=False) as f:
        f.write(text.replace(old, new, 1))
    try:
        return check_language.check(f.name, check_language.required())
    finally:
        os.unlink(f.name)


class UntranslatedValues(unittest.TestCase):
    def test_an_english_value_in_the_chinese_file_fails(self):
        problems = problems_with(CHINESE, "61542=无法在临时文件夹中创建工作文件夹。",
                                 "61542=The work folder cannot be made in the temp folder.")
        self.assertEqual(["[String] 61542 is not translated: The work folder cannot be made in the temp folder."],
                         problems)

    def test_names_in_latin_letters_and_the_english_file_pass(self):
        self.assertEqual([], check_language.check(CHINESE, check_language.required()))
        self.assertEqual([], check_language.check(ENGLISH, check_language.required()))


if __name__ == "__main__":
    unittest.main()
