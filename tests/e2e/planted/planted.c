/* A planted file for the end-to-end suite: built as a DLL under the names of system DLLs and
 * as a program under the names of system programs, and put in a picture folder. When Windows
 * loads or starts it, it leaves "<its own path>.mark" holding the process's command line, so
 * any mark means the program under test took code from that folder. It asks ntdll alone,
 * so that it still works when it stands in for kernel32 itself. */
#include <windows.h>
#include <winternl.h>

NTSTATUS NTAPI NtWriteFile(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                           PLARGE_INTEGER, PULONG);
NTSTATUS NTAPI NtTerminateProcess(HANDLE, NTSTATUS);

static PEB* Peb(void) { return NtCurrentTeb()->ProcessEnvironmentBlock; }

static void LeaveMark(const UNICODE_STRING* ownPath) {
    static const WCHAR prefix[] = L"\\??\\", suffix[] = L".mark";
    WCHAR name[1024];
    const unsigned ownLength = ownPath->Length / sizeof(WCHAR);
    unsigned n = 0, i;
    if (ownLength + 16 > sizeof name / sizeof name[0]) return;
    for (i = 0; prefix[i]; ++i) name[n++] = prefix[i];
    for (i = 0; i < ownLength; ++i) name[n++] = ownPath->Buffer[i];
    for (i = 0; suffix[i]; ++i) name[n++] = suffix[i];
    name[n] = 0;

    UNICODE_STRING path;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK status;
    HANDLE file;
    RtlInitUnicodeString(&path, name);
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE, NULL, NULL);
    if (NtCreateFile(&file, GENERIC_WRITE | SYNCHRONIZE, &attributes, &status, NULL,
                     FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ, FILE_OVERWRITE_IF,
                     FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0) < 0)
        return;
    const UNICODE_STRING* line = &Peb()->ProcessParameters->CommandLine;
    NtWriteFile(file, NULL, NULL, NULL, &status, line->Buffer, line->Length, NULL, NULL);
    NtClose(file);
}

#ifdef PLANTED_DLL
BOOL WINAPI PlantedDllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const LIST_ENTRY* head = &Peb()->Ldr->InMemoryOrderModuleList;
    for (const LIST_ENTRY* link = head->Flink; link != head; link = link->Flink) {
        const LDR_DATA_TABLE_ENTRY* module =
            CONTAINING_RECORD(link, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks);
        if (module->DllBase == (PVOID)self) LeaveMark(&module->FullDllName);
    }
    return TRUE;
}
#else
void WINAPI PlantedStart(void) {
    LeaveMark(&Peb()->ProcessParameters->ImagePathName);
    NtTerminateProcess((HANDLE)-1, 0);
}
#endif
