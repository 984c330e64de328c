// The geometrics family library; its entry points are declared in geometrics.h.
