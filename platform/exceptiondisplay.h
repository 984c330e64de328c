#pragma once

#include "exception.h"

#include <QString>

#include <exception>

// The application's exception display: an error box captioned with the application title,
// showing the message with a full stop added where it lacks one.

// Shows an escaped exception: Exception's message, else what() of any other std::exception.
void ShowException(const std::exception &error);
// Shows a thrown object that is no std::exception: an error box with an empty message.
void ShowUnknownException();
