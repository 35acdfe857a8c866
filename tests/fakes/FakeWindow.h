#pragma once
// The main window's controls as plain values, for tests of the typing model.

#include "Cp1250.h"
#include "MainWindowPort.h"

#include <string>

class FakeWindow final : public MainWindowPort {
public:
    // SpeedDisplay
    void ShowLineErrors(int count, bool emphasized) override {
        lineErrors = count;
        lineErrorsEmphasized = emphasized;
    }
    void ShowLessonErrors(int count) override { lessonErrors = count; }
    void ShowErrorFrequency(const std::string& text) override { frequency = text; }
    [[nodiscard]] bool IsSpeedPanelVisible() const override { return speedPanelVisible; }
    void ShowSpeeds(int min, int avg, int max, int abs) override {
        minSpeed = std::to_string(min);
        avgSpeed = std::to_string(avg);
        maxSpeed = std::to_string(max);
        absSpeed = std::to_string(abs);
    }
    void ShowSpeedBar(int position) override { speedBar = position; }
    void ClearSpeeds() override {
        minSpeed = avgSpeed = maxSpeed = absSpeed = "";
        speedBar = 0;
    }
    void ShowElapsed(const std::string& text) override { elapsed = text; }
    void ShowTimeLeft(const std::string& text) override { timeLeft = text; }

    // MainWindowPort
    void ShowLineNumber(int n) override { lineNumber = n; }
    void ShowLineCount(int n) override { lineCount = n; }
    void ShowIntroLine(const std::string& text) override { introLine = text; }
    void SetCaption(const std::string& c, const std::string& t) override {
        caption = c;
        applicationTitle = t;
    }
    void FocusLineNumberField() override { ++focusRequests; }
    void InvalidateView() override { ++invalidations; }
    void SetStatusText(const std::string& text) override { statusText = text; }
    [[nodiscard]] std::string StatusText() const override { return statusText; }
    void ShowPauseAction(bool shown) override { pauseShown = shown; }
    void SetPauseContinueMenu(const std::string& c, const std::string& h) override {
        menuCaption = c;
        menuHint = h;
    }
    void SetSpeedPanelVisible(bool visible) override { speedPanelVisible = visible; }
    void SetShowSpeedButtonVisible(bool visible) override { showSpeedButtonVisible = visible; }
    EvaluationAnswer ShowEvaluation() override {
        ++evaluationsShown;
        return nextEvaluationAnswer;
    }

    // Texts in UTF-8, for readable assertions.
    [[nodiscard]] std::string StatusUtf8() const { return Cp1250::ToUtf8(statusText); }
    [[nodiscard]] std::string CaptionUtf8() const { return Cp1250::ToUtf8(caption); }

    int lineErrors = -1;
    bool lineErrorsEmphasized = false;
    int lessonErrors = -1;
    std::string frequency;
    bool speedPanelVisible = true;
    std::string minSpeed, avgSpeed, maxSpeed, absSpeed;
    int speedBar = -1;
    std::string elapsed, timeLeft;
    int lineNumber = -1;
    int lineCount = -1;
    std::string introLine;
    std::string caption, applicationTitle;
    int focusRequests = 0;
    int invalidations = 0;
    std::string statusText;
    bool pauseShown = true;
    std::string menuCaption, menuHint;
    bool showSpeedButtonVisible = false;
    int evaluationsShown = 0;
    EvaluationAnswer nextEvaluationAnswer = EvaluationAnswer::Repeat;
};
