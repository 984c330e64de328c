// The strconv family library; its entry points are declared in strconv.h.
