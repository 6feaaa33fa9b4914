#pragma once

#include <string>

#include "cad/Automation.h"

namespace channel {

// The program-wide link to the CAD application: five object slots and three
// point buffers. It lives for the whole run, starts empty, is refilled by every
// export and released once at exit. Each slot owns what it holds, whichever
// backend filled it.
struct CadConnection {
    ObjectSlot cadApplication;
    ObjectSlot cadDocument;
    ObjectSlot cadModelSpace;
    ObjectSlot cadTextStyle;
    ObjectSlot cadLastText;
    PointBuffer lineStart;
    PointBuffer lineEnd;
    PointBuffer textPoint;
};

// The exit-time release, in the program's fixed order, each slot and buffer
// even when it is empty.
void ReleaseCadConnection(CadConnection& connection);

inline constexpr char kCadProgId[] = "autocad.Application";

// One export's use of the connection through one backend. The steps never stop
// early on a failed call (a failed call leaves its slot empty and later calls
// on it fail too); they only keep count, so the export can tell the user.
class CadSession {
  public:
    CadSession(CadConnection& connection, Automation& automation)
        : connection_(connection), automation_(automation) {}

    // Attaches to a running application, or starts one, then makes it
    // visible and reaches the active drawing's model space and prepares the
    // two line point buffers. Returns false, having done nothing more, when
    // no application could be attached or started.
    bool OpenCadConnection();
    void DrawLine(double x1, double y1, double x2, double y2);
    // Gives the drawing's active text style the Chinese big font and prepares
    // the text point buffer. Runs once per export, before the first text.
    void PrepareTextStyle();
    // Places `utf8Text` centred on (x, y), narrowed to kTextWidthFactor of its width.
    void PlaceText(const std::string& utf8Text, double x, double y, int height);

    bool AllCallsSucceeded() const { return allCallsSucceeded_; }

  private:
    void Note(bool callSucceeded) { allCallsSucceeded_ = allCallsSucceeded_ && callSucceeded; }
    // Stores `fresh` in `slot`: the new object is obtained before the old one
    // is released, so a failed read leaves the slot empty, never stale.
    static void Replace(ObjectSlot& slot, ObjectSlot fresh);
    void SetPoint(PointBuffer& buffer, double x, double y);

    CadConnection& connection_;
    Automation& automation_;
    bool allCallsSucceeded_ = true;
};

}  // namespace channel
