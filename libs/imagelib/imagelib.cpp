// The imagelib family library; its entry points are declared in imagelib.h.
