// SPDX-License-Identifier: MIT
// smclient LOG: a well-behaved client of the X session manager, beside the
// program in the session tests. It answers every SaveYourself as done and
// leaves on Die, writing each message it gets to LOG, so a test can see that
// the session manager's protocol went through for the other clients too.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>

static FILE* logFile;

static void note(const char* what)
{
    fprintf(logFile, "%s\n", what);
    fflush(logFile);
}

static void saveYourself(SmcConn conn, SmPointer data, int saveType, Bool shutdown,
                         int interactStyle, Bool fast)
{
    (void)data;
    (void)interactStyle;
    (void)fast;
    static const char* types[] = {"global", "local", "both"};
    fprintf(logFile, "save-yourself %s%s\n", types[saveType % 3], shutdown ? " shutdown" : "");
    fflush(logFile);
    SmcSaveYourselfDone(conn, True);
}

static void die(SmcConn conn, SmPointer data)
{
    (void)data;
    note("die");
    SmcCloseConnection(conn, 0, NULL);
    exit(0);
}

static void saveComplete(SmcConn conn, SmPointer data)
{
    (void)conn;
    (void)data;
    note("save-complete");
}

static void shutdownCancelled(SmcConn conn, SmPointer data)
{
    (void)conn;
    (void)data;
    note("shutdown-cancelled");
}

int main(int argc, char* argv[])
{
    if (argc != 2 || !(logFile = fopen(argv[1], "a"))) {
        fputs("usage: smclient LOG\n", stderr);
        return 2;
    }
    SmcCallbacks cb = {0};
    cb.save_yourself.callback = saveYourself;
    cb.die.callback = die;
    cb.save_complete.callback = saveComplete;
    cb.shutdown_cancelled.callback = shutdownCancelled;
    char* clientId = NULL;
    char error[256] = "";
    SmcConn conn = SmcOpenConnection(NULL, NULL, SmProtoMajor, SmProtoMinor,
                                     SmcSaveYourselfProcMask | SmcDieProcMask |
                                         SmcSaveCompleteProcMask | SmcShutdownCancelledProcMask,
                                     &cb, NULL, &clientId, sizeof error, error);
    if (!conn) {
        fprintf(stderr, "smclient: no session manager: %s\n", error);
        return 1;
    }
    // The properties a session manager needs to list a client.
    char* program = argv[0];
    SmPropValue programValue = {(int)sizeof "smclient" - 1, "smclient"};
    SmPropValue userValue = {(int)sizeof "test" - 1, "test"};
    SmPropValue commandValue = {0, program};
    for (const char* c = program; *c; ++c)
        commandValue.length++;
    char hint = SmRestartNever;
    SmPropValue hintValue = {1, &hint};
    SmProp props[] = {
        {SmProgram, SmARRAY8, 1, &programValue},
        {SmUserID, SmARRAY8, 1, &userValue},
        {SmRestartCommand, SmLISTofARRAY8, 1, &commandValue},
        {SmCloneCommand, SmLISTofARRAY8, 1, &commandValue},
        {SmRestartStyleHint, SmCARD8, 1, &hintValue},
    };
    SmProp* list[] = {&props[0], &props[1], &props[2], &props[3], &props[4]};
    SmcSetProperties(conn, 5, list);
    note("registered");

    IceConn ice = SmcGetIceConnection(conn);
    struct pollfd fd = {IceConnectionNumber(ice), POLLIN, 0};
    for (;;) {
        if (poll(&fd, 1, -1) < 0)
            continue;
        if (IceProcessMessages(ice, NULL, NULL) == IceProcessMessagesIOError) {
            note("connection-lost");
            return 1;
        }
    }
}
