#pragma once

#include <QString>

// Records a narration. The recorder shows its own recording window; Run returns 1 when a recording was made,
// with path set to the full path of the recorded sound file and the three flags set to the author's
// choices, and anything else when nothing was recorded (the values are then not to be used).
class CRecorder
{
public:
    virtual ~CRecorder() = default;
    virtual int Run(int &autoStart, int &loop, int &displayController, QString &path) = 0;
};
