// The six capture commands: each hands the capture pipeline its request, and the pipeline reads
// the options from the controls when it needs them.
#include "app/Mainwindow1.h"
#include "imaging/SaveNaming.h"

namespace pelorine {

void TMainForm1::N3Click(TComponent*) { RunCapture({true, CaptureOutput::Clipboard, false}); }
void TMainForm1::N4Click(TComponent*) { RunCapture({false, CaptureOutput::Clipboard, true}); }
void TMainForm1::W1Click(TComponent*) { RunCapture({true, CaptureOutput::Save, false}); }
void TMainForm1::D1Click(TComponent*) { RunCapture({false, CaptureOutput::Save, true}); }
void TMainForm1::W2Click(TComponent*) { RunCapture({true, CaptureOutput::Print, false}); }
void TMainForm1::D2Click(TComponent*) { RunCapture({false, CaptureOutput::Print, false}); }

void TMainForm1::RunCapture(const CaptureRequest& request) { pipeline_->Run(request); }

void TMainForm1::CreatePipeline() {
    pipeline_ = std::make_unique<TCapturePipeline>(CaptureSite{
        Handle(), *SnapShot1, *Image1, *TrayIcon1, HandOffPath(), [this] { return CheckBox3->Checked(); },
        [this](CaptureOutput output) { return ReadCaptureOptions(output); },
        [this](int serial) { C0_03->SetValue(serial); }});
}

// Only what the output uses is read: a spin edit puts its minimum in place of a text that is no
// number as it is read.
CaptureOptions TMainForm1::ReadCaptureOptions(CaptureOutput output) const {
    CaptureOptions o;
    o.includeCursor = CheckBox2->Checked();
    o.beep = CheckBox4->Checked();
    if (output == CaptureOutput::Save) {
        o.format = SaveFormatForItem(C1_01->ItemIndex());
        o.quality = SaveQualityForItem(C1_02->ItemIndex());
        o.depth = ColorDepthForItem(C1_03->ItemIndex());
        o.turn = RotationForItem(C1_04->ItemIndex());
        o.resize = ResizeModeForItem(C1_05->ItemIndex()).value_or(ResizeMode::Keep);
        if (o.resize == ResizeMode::Scale) o.scalePercent = C1_06_1->Value();
        if (o.resize == ResizeMode::Pixels || o.resize == ResizeMode::PixelsStretched) {
            o.width = C1_06_2->Value();
            o.height = C1_06_3->Value();
        }
        o.folder = C0_01->Text();
        o.prefix = C0_02->Text();
        o.serialNumber = C0_03->Value();
    }
    if (output == CaptureOutput::Print) {
        o.header = C2_02->Text();
        o.footer = C2_03->Text();
        o.margins = {float(C2_04_1->Value()), float(C2_04_2->Value()), float(C2_04_3->Value()),
                     float(C2_04_4->Value())};
    }
    return o;
}

} // namespace pelorine
