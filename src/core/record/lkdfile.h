#pragma once

#include "core/record/testrecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The .lkd data file: 118 lines, one item per line, CRLF. Line 98 holds "extra", or the USACE
// index in files saved from the measurement page. Older files end after line 91.
enum class Line98 { Extra, UsaceIndex };

// The whole file as bytes: Windows-1252 when every text fits it, else UTF-8 with a byte-order mark.
QByteArray composeLkd(const TestRecord& r, Line98 line98 = Line98::Extra);

// Reads file bytes into `r`. On failure returns false with the reason in `error`, and `r` may
// hold part of the file: callers pass a copy (readLkdFile does).
[[nodiscard]] bool parseLkd(const QByteArray& bytes, TestRecord& r, QString* error = nullptr);

// Writes atomically: the old file is replaced only once the new one is complete.
[[nodiscard]] bool writeLkdFile(const TestRecord& r, const QString& path,
                                Line98 line98 = Line98::Extra, QString* error = nullptr);

// Reads into a copy of `r` and takes it over only when the whole read succeeds.
[[nodiscard]] bool readLkdFile(const QString& path, TestRecord& r, QString* error = nullptr);

// Save treats these names (any letter case) as "no file yet".
bool isUntitledName(const QString& fileName);

// Bytes as Windows-1252 text; the five unassigned bytes read as the control of that number.
QString decodeWindows1252(QByteArrayView bytes);
