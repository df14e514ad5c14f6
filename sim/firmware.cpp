#include "sim/firmware.h"

#include "sim/simulator.h"

namespace kairo::sim::detail {

// Resizes a block to its fixed size, keeping what fits.
QByteArray sized(const QByteArray &block, int size)
{
    QByteArray out = block.left(size);
    if (out.size() < size)
        out.append(QByteArray(size - out.size(), 0));
    return out;
}

namespace {

// A partial transfer only replaces the bytes it carried.
void overwritePrefix(QByteArray &block, const QByteArray &data)
{
    for (int i = 0; i < block.size() && i < data.size(); ++i)
        block[i] = data[i];
}

bool isBulkCommand(bool secondFamily, quint8 opcode)
{
    if (secondFamily && (opcode == 0x0c || opcode == 0x0d || opcode == 0x0f))
        return true;
    if (secondFamily
        && (opcode == 0x01 || opcode == 0x02 || opcode == 0x03 || opcode == 0x04 || opcode == 0x09))
        return false;
    return opcode == 0x10 || opcode == 0x11 || opcode == 0x12 || opcode == 0x13 || opcode == 0x16;
}

class Firmware
{
public:
    Firmware(Device &device)
        : d(device)
        , s(device.state)
        , secondFamily(device.config.family == "560")
    {}

    void command(const quint8 block[8])
    {
        const quint8 opcode = block[0];
        const quint8 *p = block + 1; // p[0] = P1 ... p[5] = P6
        setReply(block);
        if (isBulkCommand(secondFamily, opcode)) {
            startBulk(opcode, p[0], p[1]);
            return;
        }
        countTakenCommand();
        if (secondFamily && secondFamilyCommand(opcode, p))
            return;
        if (!firstFamilyCommand(opcode, p))
            ++s.protocolErrors;
    }

    void bulkData(const QByteArray &payload)
    {
        BulkTransfer &b = d.bulk;
        const int take = int(std::min<qsizetype>(
            {qsizetype(b.remaining), qsizetype(d.config.reportLength), payload.size()}));
        b.data.append(payload.left(take));
        b.remaining -= take;
        if (b.remaining <= 0)
            commitBulk();
    }

private:
    Device &d;
    FirmwareState &s;
    bool secondFamily;

    void countTakenCommand()
    {
        if (d.config.unplugAfter > 0 && --d.config.unplugAfter == 0)
            d.unplugDue = true;
    }

    void setReply(const quint8 block[8])
    {
        d.replyPlain = QByteArray(9, 0);
        for (int i = 0; i < 8; ++i)
            d.replyPlain[i + 1] = char(block[i]);
    }

    void answer(quint8 opcode, std::initializer_list<int> values)
    {
        QByteArray reply(9, 0);
        reply[1] = char(opcode);
        int at = 2;
        for (int v : values)
            reply[at++] = char(v);
        reply[8] = char(wire::checksum(reinterpret_cast<const quint8 *>(reply.constData()) + 1));
        d.replyPlain = reply;
    }

    void startBulk(quint8 opcode, quint8 p1, quint8 count)
    {
        d.bulk = BulkTransfer{opcode, p1, count, {}};
        if (count == 0)
            commitBulk();
    }

    static quint8 byteAt(const QByteArray &block, int i) { return quint8(block.at(i)); }

    bool firstFamilyCommand(quint8 opcode, const quint8 *p)
    {
        switch (opcode) {
        case 0x01:
            s.reportRate = p[0];
            return true;
        case 0x02:
            s.activeKeyMatrix = p[0];
            return true;
        case 0x03:
            s.keyboardOption553 = QByteArray(reinterpret_cast<const char *>(p), 4);
            return true;
        case 0x04:
            s.gunData.append(QByteArray(reinterpret_cast<const char *>(p + 1), 4));
            return true;
        case 0x07:
            s.liftOff = p[1];
            s.liftOffEnabled = p[3] != 0;
            return true;
        case 0x0b:
            s.currentDpiStage = p[0];
            return true;
        case 0x0c:
            s.fixedColor = QByteArray(reinterpret_cast<const char *>(p), 3);
            return true;
        case 0x0d:
            s.lightingEffect = p[0];
            s.lightingOption1 = p[1];
            s.lightingOption2 = p[2];
            return true;
        case 0x83: {
            const QByteArray &k = s.keyboardOption553;
            answer(opcode, {byteAt(k, 0), byteAt(k, 1), byteAt(k, 2), byteAt(k, 3)});
            return true;
        }
        case 0x8b:
            answer(opcode, {s.currentDpiStage});
            return true;
        case 0x87: {
            const QByteArray &o = s.ledInstructOptions;
            answer(opcode, {p[0], byteAt(o, 0), byteAt(o, 1), byteAt(o, 2)});
            return true;
        }
        default:
            return false;
        }
    }

    bool secondFamilyCommand(quint8 opcode, const quint8 *p)
    {
        switch (opcode) {
        case 0x01:
            s.keyboardOption560 = QByteArray(reinterpret_cast<const char *>(p), 2);
            return true;
        case 0x02:
            s.currentProfile = p[0];
            return true;
        case 0x03:
            if (p[0] < deviceProfileCount)
                s.profileReportRate[p[0]] = p[1];
            else
                ++s.protocolErrors;
            return true;
        case 0x04:
            if (p[0] < deviceProfileCount)
                s.profileDpiStage[p[0]] = p[1];
            else
                ++s.protocolErrors;
            if (p[0] == s.currentProfile)
                s.currentDpiStage = p[1];
            return true;
        case 0x09:
            s.liftOff = p[0];
            s.liftOffEnabled = p[0] != 0;
            return true;
        case 0x81:
            answer(opcode, {byteAt(s.keyboardOption560, 0), byteAt(s.keyboardOption560, 1)});
            return true;
        case 0x82:
            answer(opcode, {s.currentProfile});
            return true;
        case 0x84:
            answer(opcode, {p[0], p[0] < deviceProfileCount ? s.profileDpiStage[p[0]] : 0});
            return true;
        case 0x8c:
            answer(opcode, {p[0]});
            queueProfile(p[0]);
            return true;
        default:
            return false;
        }
    }

    void queueProfile(quint8 number)
    {
        if (number >= deviceProfileCount) {
            ++s.protocolErrors;
            return;
        }
        if (d.config.failProfileReads > 0) {
            --d.config.failProfileReads;
            return;
        }
        d.commandInputReadyAt =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(d.config.stallMs);
        const QByteArray &image = s.profiles[number];
        const int length = std::max(1, d.config.reportLength);
        for (int offset = 0; offset < image.size(); offset += length)
            d.commandInput.push_back(sized(image.mid(offset, length), length));
    }

    template<size_t N>
    void storeIndexed(std::array<QByteArray, N> &blocks, int index, const QByteArray &data)
    {
        if (index < 0 || index >= int(N)) {
            ++s.protocolErrors;
            return;
        }
        overwritePrefix(blocks[size_t(index)], data);
    }

    void commitBulk()
    {
        const BulkTransfer b = d.bulk;
        d.bulk = BulkTransfer{};
        countTakenCommand();
        if (secondFamily) {
            switch (b.opcode) {
            case 0x0c:
                storeIndexed(s.profiles, b.p1, b.data);
                return;
            case 0x0d:
                storeIndexed(s.keyMatrixBlocks, b.p1 - 1, b.data);
                storeIndexed(s.keyMatrices, b.p1 - 1, b.data.left(64));
                return;
            case 0x0f:
                storeIndexed(s.macros, b.p1 - 1, b.data);
                return;
            default:
                break;
            }
        }
        switch (b.opcode) {
        case 0x10:
            s.stageColorType = b.p1;
            overwritePrefix(b.p1 == 2 ? s.stageColorsType2 : s.stageColors, b.data);
            return;
        case 0x11:
            s.dpiStageCount = b.p1;
            overwritePrefix(s.dpiCodes, b.data);
            return;
        case 0x12:
            storeIndexed(s.keyMatrices, b.p1 - 1, b.data);
            return;
        case 0x13:
            storeIndexed(s.macros, b.p1 - 1, b.data);
            return;
        case 0x16:
            overwritePrefix(s.attributeBlock, b.data);
            return;
        default:
            ++s.protocolErrors;
            return;
        }
    }
};

} // namespace

void firmwareCommand(Device &device, const quint8 block[8])
{
    Firmware(device).command(block);
}

void firmwareBulkData(Device &device, const QByteArray &data)
{
    Firmware(device).bulkData(data);
}

} // namespace kairo::sim::detail
