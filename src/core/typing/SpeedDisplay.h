#pragma once
// The main window's counter, speed and time fields, as the speed meter writes them.

#include <string>

class SpeedDisplay {
public:
    virtual ~SpeedDisplay() = default;
    // `emphasized`: shown in the highlight colours, because finishing the line now would repeat it.
    virtual void ShowLineErrors(int count, bool emphasized) = 0;
    virtual void ShowLessonErrors(int count) = 0;
    virtual void ShowErrorFrequency(const std::string& text) = 0;

    [[nodiscard]] virtual bool IsSpeedPanelVisible() const = 0;
    virtual void ShowSpeeds(int minSpeed, int avgSpeed, int maxSpeed, int absSpeed) = 0;
    virtual void ShowSpeedBar(int position) = 0;
    // Empties the four speed fields and puts the bar at 0.
    virtual void ClearSpeeds() = 0;

    virtual void ShowElapsed(const std::string& text) = 0;
    virtual void ShowTimeLeft(const std::string& text) = 0;
};
