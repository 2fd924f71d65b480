#pragma once

// The metafile player of the image library: draws WMF and EMF records with QPainter. A program that
// reads metafiles calls RegisterMetafilePlayer once (it needs a QGuiApplication for text).

struct MetafilePicture;
class CxImage;

void RegisterMetafilePlayer();

// Plays the picture onto the target (24 bits, already filled with the background); see MetafilePlayer
// in image/xImageWMF.h.
bool PlayMetafile(const MetafilePicture &picture, CxImage &target, char *error);
