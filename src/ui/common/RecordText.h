#pragma once

#include <QString>

#include <cstddef>
#include <string>

// Conversions between what edit controls hold and the fixed-width text fields of records.
// Records keep UTF-8; a field of width w holds at most w - 1 bytes.

// The text of a record field, for display.
QString fromRecordText(const std::string& field);

// text as it will be stored in a field of width: whole when it fits as UTF-8 or else as
// Windows-1252 (codec::textFitsField), otherwise cut to width - 1 bytes at a character
// boundary, so the record never holds in memory what the file cannot get.
std::string toRecordText(const QString& text, std::size_t width);

// A multi-line field for an edit control: CR LF (and a lone CR) become line feeds.
QString fromRecordLines(const std::string& field);

// Multi-line text stored with CR LF line breaks, cut to width - 1 bytes without splitting
// a character or a CR LF pair.
std::string toRecordLines(const QString& text, std::size_t width);
