#pragma once

#include <QByteArray>
#include <QString>

#include <span>
#include <vector>

// The five libraries of the calculator family that start-up loads, in loading order.
enum class TFamilyLibrary { StrConv, DocRender, Geometrics, ImageLib, QuickPDF };

inline constexpr TFamilyLibrary FamilyLibraries[] = {
    TFamilyLibrary::StrConv, TFamilyLibrary::DocRender, TFamilyLibrary::Geometrics,
    TFamilyLibrary::ImageLib, TFamilyLibrary::QuickPDF};

// The library's file name on this platform: "strconv.so" here, "strconv.dll" on Windows.
QString FamilyLibraryFileName(TFamilyLibrary library);

// Loads the module at path and resolves every name of names, in order.
// A module that cannot be loaded raises Exception("Cannot initialize <file>");
// a missing name unloads it and raises Exception("Cannot initialize <file>" + missingSuffix).
// The module stays loaded for the rest of the run; the pointers are returned in names' order.
std::vector<void *> LoadFamilyLibrary(TFamilyLibrary library, const QByteArray &path,
                                      std::span<const char *const> names,
                                      const QString &missingSuffix);
