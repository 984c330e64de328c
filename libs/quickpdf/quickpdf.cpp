// The quickpdf family library; its entry points are declared in quickpdf.h.
