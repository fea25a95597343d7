#pragma once
// Reads a PDF back with poppler's pdftotext: the page texts in their layout and every word
// with its box in millimetres from the paper's top-left corner.
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

struct PdfWord {
    int page = 0; // 0-based
    double left = 0, top = 0, right = 0, bottom = 0; // mm
    QString text;
};

struct PdfContent {
    QStringList pages;          // `pdftotext -layout` text of each page
    std::vector<PdfWord> words;
    std::vector<QSizeF> paper;  // mm, per page

    // Lines of a page (all pages for -1) that match the pattern.
    QStringList linesMatching(const QString& pattern, int page = -1) const;
    const PdfWord* firstWord(const QString& text, int page = 0) const;
};

PdfContent readPdf(const QString& pdfFile);
