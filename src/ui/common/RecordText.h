#pragma once

#include <QString>

#include <cstddef>
#include <string>

// Conversions between what edit controls hold and the fixed-width text fields of records.
// A record holds its texts as UTF-8 in memory; the store writes a text as UTF-8 when that
// fits the field's width - 1 bytes, else as Windows-1252 when only that form fits, so a
// 61-byte field keeps 60 "é" (one byte each in 8 bits). What fits neither is refused.

// The text of a record field, for display.
QString fromRecordText(const std::string& field);

// True when text can be stored whole in a field of width (one of the two encodings fits).
bool fitsField(const QString& text, std::size_t width);

// text as it goes into a field of width: whole when it fits, else its longest prefix of
// whole characters that fits. Edits refuse what does not fit, so the cut is a last guard.
std::string toRecordText(const QString& text, std::size_t width);

// A multi-line field for an edit control: CR LF (and a lone CR) become line feeds.
QString fromRecordLines(const std::string& field);

// True when the lines of text, stored with CR LF breaks, fit a field of width.
bool linesFitField(const QString& text, std::size_t width);

// Multi-line text stored with CR LF line breaks: whole when it fits width, else cut to the
// longest prefix that fits without splitting a character or a CR LF pair.
std::string toRecordLines(const QString& text, std::size_t width);
