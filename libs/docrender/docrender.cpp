// The docrender family library; its entry points are declared in docrender.h.
