#pragma once

#include <QString>

// The help document shipped in the program's folder, made at build time from its source text.

// The file name the program looks for in its folder.
extern const char* const helpDocumentName;

// Renders a help text written in Markdown into a PDF document of A4 pages; false, with the
// reason, when the text cannot be read or the PDF cannot be written.
bool renderHelpPdf(const QString& markdownPath, const QString& pdfPath, QString* error = nullptr);
