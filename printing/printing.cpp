// Printing sources are listed in CMakeLists.txt beside this file.
