#include "app/tform1.h"

#include "session/fractal_session.h"
#include "ui_tform1.h"

void Tform1::chkAnimAngClick()
{
    session_.AnimateAngles(ui->chkAnimAng->isChecked());
}

void Tform1::chkAnimLenClick()
{
    session_.AnimateLengths(ui->chkAnimLen->isChecked());
}

void Tform1::chkPauseClick()
{
    session_.SetPaused(ui->chkPause->isChecked());
}
