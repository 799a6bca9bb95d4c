// The plug-in's version, as the record and the load banner give it.
#pragma once

// project(... VERSION) in CMakeLists.txt, handed to every compilation.
constexpr int kTardoMajorVersion = TARDO_VERSION_MAJOR;
constexpr int kTardoMinorVersion = TARDO_VERSION_MINOR;
constexpr int kTardoBuild = TARDO_VERSION_PATCH;
