#pragma once

#include "strconv.h"

#include <QByteArray>

#include <filesystem>

// The fuzzers run without a QCoreApplication: strconv.so is taken from the executable's own folder.
inline void LoadStrConvBesideFuzzer()
{
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    InitStrConv(QByteArray::fromStdString((folder / "strconv.so").string()));
}
