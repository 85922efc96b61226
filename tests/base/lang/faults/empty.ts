<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Fixture</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>冷房時</source>
        <translation></translation>
    </message>
    <message>
        <source>給気風量 %5.1f</source>
        <translation>Supply air volume %5.1f</translation>
    </message>
</context>
</TS>
