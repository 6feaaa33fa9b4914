// Links the COM backend with the connection the way the program uses them, so
// the Windows-only code keeps compiling on every build machine. Run on
// Windows, it draws one line and one text into AutoCAD's active drawing.
#include "cad/CadConnection.h"
#include "cad/PlatformAutomation.h"

int main() {
    CadConnection connection;
    {
        std::unique_ptr<Automation> com = MakePlatformAutomation();
        CadSession session(connection, *com);
        if (session.OpenCadConnection()) {
            session.DrawLine(20, 16, 240, 16);
            session.PrepareTextStyle();
            session.PlaceText("水利要素表", 130, 42, 15);
        }
    }
    // The references outlive the backend object, as they do in the program.
    const bool drawn = connection.cadLastText != nullptr;
    ReleaseCadConnection(connection);
    return drawn ? 0 : 1;
}
