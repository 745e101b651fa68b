// A formatter driven by a picture string such as "99':'99".
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zFormatter.h"
#include "framework/core/zPictStrEl.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class zPictFormatter : public zFormatter {
public:
    static constexpr int32_t MaxElements = 256;

    zPictFormatter(uint32_t flags, const char* picture);

    int edit(std::string& text, const char* chars, int32_t count, int32_t& selStart,
             int32_t& selEnd) override;
    int check(const std::string& text, int32_t& selStart, int32_t& selEnd) override;
    int format(std::string& text, uint32_t fmtFlags) override;
    int32_t firstEditable() override;

    std::string render(uint32_t fmtFlags) const;

    int32_t nextEditable(int32_t pos, bool emptyOnly) const;
    int32_t nextLiteral(int32_t pos) const;
    bool isFixedChar(uint8_t c) const;
    int32_t filledBefore(int32_t pos, uint32_t fmtFlags) const;
    void shiftSaved(int32_t target, int32_t source);
    void reapplySaved(int32_t fromElement, int32_t fromSaved);

    int32_t elementCount() const { return count; }
    const zPictStrEl& element(int32_t i) const { return *elements[static_cast<size_t>(i)]; }

private:
    void compile();
    std::unique_ptr<zPictStrEl> parseSet(size_t& pos);
    void clearAll();
    void saveDisplay(uint32_t fmtFlags);
    // Matches the characters into the elements from `start`; 1 when all were
    // taken, with the index of the last element that took one. The position
    // map records which element took each character. In test-only mode the
    // elements keep their values and an empty element is never passed over.
    int matchChars(int32_t start, const uint8_t* chars, int32_t n, uint32_t fmtFlags,
                   bool testOnly, int32_t& last, int32_t* failedAt = nullptr);
    bool isEmptyEditable(int32_t i) const;
    // The element a caret at text position `pos` stands before.
    int32_t elementAtText(int32_t pos, uint32_t fmtFlags) const;
    int32_t textPosOf(int32_t element, uint32_t fmtFlags) const;
    int typeChar(std::string& text, uint8_t c, int32_t& selStart, int32_t& selEnd);
    int deleteChars(std::string& text, bool backward, int32_t& selStart, int32_t& selEnd);
    void resync(const std::string& text);

    RcCString picture;
    int32_t count = 0;
    std::array<std::unique_ptr<zPictStrEl>, MaxElements> elements;
    std::array<uint8_t, MaxElements> saved{};
    std::vector<int32_t> positionMap;
    int32_t positionCount = 0;
    std::vector<int32_t> literals;
};
