// Shared logic of VantrelShell.dll lives in this folder.
namespace vantrel::shell {}
