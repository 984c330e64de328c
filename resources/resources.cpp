// The embedded data is compiled in by qt_add_resources; this unit gives the library a body.
