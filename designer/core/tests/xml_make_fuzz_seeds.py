#!/usr/bin/env python3
"""Writes the markup fuzzer's seed texts into xml_fuzzer_seeds/ beside this script."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "xml_fuzzer_seeds")

SEEDS = {
    "project.xml": (
        '<?xml version="1.0" encoding="gb2312"?>\r\n'
        '<ROOT Description="Zavomgr Settings File">\r\n<COMMON>\r\n'
        '<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\r\n<WALLPAPER/>\r\n'
        '<DEFAULT>0</DEFAULT>\r\n<PAPER>640,480</PAPER>\r\n</COMMON>\r\n'
        '<UICONTROL UITYPE="button">\r\n<CAPTION>a &lt;b&gt; &amp; c</CAPTION>\r\n'
        '<FONT NAME="Tahoma">-14-0-0-0-400-0-0-0-134-0-0-0-0-25-ff</FONT>\r\n'
        '<ITEMPOS LEFT="10" RIGTH="90" TOP="20" BOTTOM="40"/>\r\n'
        '</UICONTROL>\r\n</ROOT>\r\n'),
    "nodes.xml": (
        '<!DOCTYPE r [ <!ENTITY e "x"> ]><!-- c --><?pi x?>'
        '<r a=\'1\' b=2><![CDATA[<raw>]]><c>t&apos;&quot;&unknown;&</c><d/></r>'),
    "cdata.xml": '<r>  <![CDATA[a]]b]]>  </r>',
    "nested.xml": "<a>" * 20 + "x" + "</a>" * 20,
    "empty.xml": "<a/>",
    "bad_end.xml": "<a><b></a>",
    "open.xml": "<a><b>",
    "entity_cut.xml": "<a>&am",
}

os.makedirs(OUT, exist_ok=True)
for name, text in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(text.encode("latin-1"))
