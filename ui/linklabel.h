#pragma once

class QEvent;
class QLabel;

// Gives a label the look of a web link: navy, underlined, hand cursor.
void MakeLinkLabel(QLabel *label);
// True for the release of the left button over label, which is a click as the user means it.
bool IsLabelClick(QLabel *label, QEvent *event);
