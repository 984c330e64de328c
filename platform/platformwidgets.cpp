// Widgets-side platform code is listed in CMakeLists.txt beside this file.
