#pragma once

#include <QIcon>

class QPainter;

// The local player's control symbols, drawn as white shapes at the size
// asked for, so they stay sharp at every scale.
class NxPlayerIcons
{
public:
    enum Kind { Back, Play, Pause, Rewind, Forward, Volume, Mute, Replay };

    static QIcon icon(Kind kind, int size);

private:
    static void draw(QPainter& painter, Kind kind, double size);
    static void drawSkip(QPainter& painter, bool forward, double size);
    static void drawSpeaker(QPainter& painter, bool muted, double size);
};
