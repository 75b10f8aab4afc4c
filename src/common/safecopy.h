#pragma once

#include <QString>

// Copies a file over a target through a temporary file in the target's folder, flushed to
// disk and renamed over the target, so a failed copy never leaves half a file behind.
bool CopyFileReplacing(const QString &source, const QString &target, QString *error = nullptr);
