// PictureDrop.h: what a drag over the main window carries: a picture to play, or nothing the game
// takes.
#pragma once

#include <QImage>

class QMimeData;

// A drop the window takes: one file of the computer's own (a file manager's drag) or image data
// (another program's), and only while no dialog is open.
bool TakesDrop(const QMimeData* data);

// The picture a drop carries, read as a picture file is; throws EPictureError as LoadPicture does.
QImage DroppedPicture(const QMimeData& data);
