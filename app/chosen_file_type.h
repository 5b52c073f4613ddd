#pragma once

#include <QString>

class QFileDialog;

// A name typed without an extension takes the one of the type chosen in the
// dialog, so that the file is written in that type and named for it; a
// typed extension stays and decides the format. A type that stands for all
// files gives the dialog's default extension, if it has one.
QString WithChosenType(const QString& fileName, const QFileDialog& dialog);
