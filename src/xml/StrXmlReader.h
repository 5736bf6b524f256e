#pragma once

#include "xml/BinXmlReader.h"

#include <string_view>

// Binary XML held in memory.
class TStrXmlReader : public TBinXmlReader
{
public:
    explicit TStrXmlReader(std::string_view data) : FData(data) {}

protected:
    void ReadBytes(void *buffer, size_t length) override;
    int64_t Remaining() const override { return int64_t(FData.size() - FPos); }

private:
    std::string_view FData;
    size_t FPos = 0;
};
