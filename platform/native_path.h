#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// Paths of the file system are bytes; most are UTF-8, some (a file copied
// from an old system, a name given by another program) are not. These keep
// every path in a QString without loss: bytes that are no UTF-8 become lone
// surrogates U+DC80..U+DCFF and turn back into the same bytes.
QString pathFromNative(const QByteArray& bytes);
QString pathFromNative(const std::string& bytes);
QByteArray nativeFromPath(const QString& path);
std::string nativePath(const QString& path);

// The command-line arguments as the program got them, as such paths.
QStringList argumentsFromNative(int argc, const char* const argv[]);
