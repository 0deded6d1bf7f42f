#pragma once

#include <QString>

// The program's version and build number, as its windows and dialogs show them.
namespace ProgramVersion {

inline const QString Version = QStringLiteral("1.10");
inline const QString Build = QStringLiteral("120");

} // namespace ProgramVersion
