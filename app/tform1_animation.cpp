#include "app/tform1.h"

#include "model/random_source.h"
#include "ui_tform1.h"
#include "view/generator_animation.h"
#include "view/zoom_path.h"

void Tform1::chkAnimAngClick()
{
    if (ui->chkAnimAng->isChecked()) {
        PrepareAngleAnimation();
        SetMode(modeAnimating);
    } else if (!ui->chkAnimLen->isChecked()) {
        SetMode(modeIdle);
    }
}

void Tform1::chkAnimLenClick()
{
    if (ui->chkAnimLen->isChecked()) {
        PrepareLengthAnimation();
        SetMode(modeAnimating);
    } else if (!ui->chkAnimAng->isChecked()) {
        SetMode(modeIdle);
    }
}

void Tform1::chkPauseClick()
{
    SetMode(ui->chkPause->isChecked() ? modePaused : modeAnimating);
}

void Tform1::PrepareAngleAnimation()
{
    PrepareAngleSteps(Generator, ZoomStepCount(ZoomSteps), RandomSource::Instance(), AngleSteps);
}

void Tform1::PrepareLengthAnimation()
{
    PrepareLengthTargets(Generator, MinLength, MaxLength, RandomSource::Instance(), LengthTargets);
}

// New and Open can change the edge count while a box stays checked; the
// per-edge data is then prepared afresh for the new generator.
void Tform1::KeepAnimationInStep()
{
    if (ui->chkAnimAng->isChecked() && AngleSteps.Count != Generator.Count)
        PrepareAngleAnimation();
    if (ui->chkAnimLen->isChecked() && LengthTargets.Count != Generator.Count)
        PrepareLengthAnimation();
}

void Tform1::AnimationStep()
{
    KeepAnimationInStep();
    if (ui->chkAnimAng->isChecked() && AngleSteps.Count == Generator.Count)
        TurnEdges(Generator, AngleSteps);
    if (ui->chkAnimLen->isChecked() && LengthTargets.Count == Generator.Count)
        SwingLengths(Generator, LengthTargets, ZoomStepCount(ZoomSteps));
    Viewer.Recalculate();
    ui->ptbFract->repaint();
    LayoutEditor();
}

void Tform1::Timer1Timer()
{
    if (Mode == modeZooming)
        ZoomStep();
    else if (Mode == modeAnimating)
        AnimationStep();
    // A tick that has just ended a zoom captures nothing.
    if (Recording && (Mode == modeZooming || Mode == modeAnimating))
        CaptureFrame();
}
