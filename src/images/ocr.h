#pragma once

#include <QCoreApplication>
#include <QString>

// Text recognition of image clippings by the Tesseract OCR program, which is not part of this
// program. The recognised text goes on the clipboard, where the clipboard capture records it as a
// new clipping. The program is the one KESTOVAN_OCR_PROGRAM names, else /usr/local/bin/tesseract,
// else tesseract on the PATH.
class OCR
{
    Q_DECLARE_TR_FUNCTIONS(OCR)

public:
    OCR() = delete;

    // The OCR program to run; empty when there is none.
    static QString getTesseractPath();
    // Starts the recognition of the image file without waiting. False, after telling the user, when
    // the program is missing or is not a program that can be run.
    static bool extractTexts(QString file);
    // Tells how to install the OCR program; runs nothing.
    static void offerInstall();
};
