#pragma once
// Lengths in printer points or English units, converted into device pixels
// of a display (or of the screen when no display is given).
#include <cstdint>

class zDisplay;

class zLogMeasure {
public:
    // Stores the own values; the device values stay 0 until a kind converts.
    zLogMeasure(int32_t x, int32_t y);
    virtual ~zLogMeasure() = default;

    // Base behaviour: the value is taken as device pixels unchanged.
    virtual void setX(int32_t value, const zDisplay* display);
    virtual void setY(int32_t value, const zDisplay* display);

    int32_t deviceX() const { return devX_; }
    int32_t deviceY() const { return devY_; }
    int32_t ownX() const { return ownX_; }
    int32_t ownY() const { return ownY_; }

protected:
    // Pixels per inch of the display, or of the screen without one.
    static int32_t ppiX(const zDisplay* display);
    static int32_t ppiY(const zDisplay* display);

    int32_t devX_ = 0;
    int32_t devY_ = 0;
    int32_t ownX_;
    int32_t ownY_;
};

// Tenths of a point.
class zPrPoint : public zLogMeasure {
public:
    zPrPoint(int32_t x, int32_t y, const zDisplay* display = nullptr);
    void setX(int32_t value, const zDisplay* display) override;
    void setY(int32_t value, const zDisplay* display) override;
    // ((v * ppi) / 72 + 5) / 10, each division truncating toward zero.
    static int32_t toDevice(int32_t value, int32_t ppi);
};

// Hundredths of an inch.
class zLoEnglish : public zLogMeasure {
public:
    zLoEnglish(int32_t x, int32_t y, const zDisplay* display = nullptr);
    void setX(int32_t value, const zDisplay* display) override;
    void setY(int32_t value, const zDisplay* display) override;
    // (v * ppi + 50) / 100
    static int32_t toDevice(int32_t value, int32_t ppi);
};

// Thousandths of an inch.
class zHiEnglish : public zLogMeasure {
public:
    zHiEnglish(int32_t x, int32_t y, const zDisplay* display = nullptr);
    void setX(int32_t value, const zDisplay* display) override;
    void setY(int32_t value, const zDisplay* display) override;
    // (v * ppi + 500) / 1000
    static int32_t toDevice(int32_t value, int32_t ppi);
};
