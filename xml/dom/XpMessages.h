#pragma once
// Message texts of the XML library, compiled in and looked up by identifier.
// A text that ends in a blank or ": " is followed by the offending item; one
// with %s or %d is formatted by the code that raises it.
#include <cstdint>

#include "classlib/AnsiString.h"

namespace XpRes {

inline constexpr int32_t _sAsciiWithoutDeclaration = 65435;
inline constexpr int32_t _sXPathUnknownOperator = 65436;
inline constexpr int32_t _sXPathUndefinedVariable = 65437;
inline constexpr int32_t _sXPathDepthLimit = 65438;
inline constexpr int32_t _sXPathDivisionByZero = 65439;
inline constexpr int32_t _sUCS_ISOConvertErr = 65440;
inline constexpr int32_t _sUCS_U16ConvertErr = 65441;
inline constexpr int32_t _sUCS_U8ConverErr = 65442;
inline constexpr int32_t _sDepthLimit = 65443;
inline constexpr int32_t _sEntityNestingLimit = 65444;
inline constexpr int32_t _sEntityExpansionLimit = 65445;
inline constexpr int32_t _sNameLengthLimit = 65446;
inline constexpr int32_t _sTextLengthLimit = 65447;
inline constexpr int32_t _sExternalLoadLimit = 65448;
inline constexpr int32_t _sExternalBytesLimit = 65449;
inline constexpr int32_t _sCharRefDigitsLimit = 65450;
inline constexpr int32_t _sResolverBlocked = 65451;
inline constexpr int32_t _sEntityNotWellFormed = 65452;
inline constexpr int32_t _sInvalidEntityRef = 65453;
inline constexpr int32_t _sReservedPITarget = 65454;
inline constexpr int32_t _sGroupDepthLimit = 65455;
inline constexpr int32_t _sExpectedElement = 65456;
inline constexpr int32_t _sAbsoluteInetPathRequired = 65457;
inline constexpr int32_t _sMixedRelPathInet = 65458;
inline constexpr int32_t _sMixedInetLocalPath = 65459;
inline constexpr int32_t _sStringNaN = 65460;
inline constexpr int32_t _sXPathNoHandler = 65461;
inline constexpr int32_t _sXPathExpectedNodeSet = 65462;
inline constexpr int32_t _sXPathForDocumentParm2 = 65463;
inline constexpr int32_t _sXPathNotUnparsedEnt = 65464;
inline constexpr int32_t _sXPathUnparsedEntCount = 65465;
inline constexpr int32_t _sXPathNoDTD = 65466;
inline constexpr int32_t _sInvalidXMLChar = 65467;
inline constexpr int32_t _sInvalidBEChar = 65468;
inline constexpr int32_t _sInvalidLEChar = 65469;
inline constexpr int32_t _sBadUTF8Char = 65470;
inline constexpr int32_t _sErrEndOfDocument = 65471;
inline constexpr int32_t _sNotationNotDeclared = 65472;
inline constexpr int32_t _sInvPubIDChar = 65473;
inline constexpr int32_t _sNoNDATAInPeDecl = 65474;
inline constexpr int32_t _sInvStandAloneVal = 65475;
inline constexpr int32_t _sInvEncName = 65476;
inline constexpr int32_t _sInvVerNum = 65477;
inline constexpr int32_t _sInvEntityValue = 65478;
inline constexpr int32_t _sNoCommentInMarkup = 65479;
inline constexpr int32_t _sNoPEInIntDTD = 65480;
inline constexpr int32_t _sXMLDecNotAtBeg = 65481;
inline constexpr int32_t _sInvalidElementName = 65482;
inline constexpr int32_t _sBadParamEntNesting = 65483;
inline constexpr int32_t _sInvalidCharEncoding = 65484;
inline constexpr int32_t _sAttrNotNum = 65485;
inline constexpr int32_t _sUnknownAxis = 65486;
inline constexpr int32_t _sMalformedIgnore = 65487;
inline constexpr int32_t _sExpectedString = 65488;
inline constexpr int32_t _sSpaceExpectedAt = 65489;
inline constexpr int32_t _sUnexpEndOfInput = 65490;
inline constexpr int32_t _sQuoteExpected = 65491;
inline constexpr int32_t _sInvalidXMLVersion = 65492;
inline constexpr int32_t _sUnableCreateStr = 65493;
inline constexpr int32_t _sInvalidName = 65494;
inline constexpr int32_t _sInvalidCommentText = 65495;
inline constexpr int32_t _sCommentBeforeXMLDecl = 65496;
inline constexpr int32_t _sInvalidCDataSection = 65497;
inline constexpr int32_t _sRedefinedAttr = 65498;
inline constexpr int32_t _sCircularEntRef = 65499;
inline constexpr int32_t _sInvAttrChar = 65500;
inline constexpr int32_t _sInvPCData = 65501;
inline constexpr int32_t _sDataAfterValDoc = 65502;
inline constexpr int32_t _sNoIntConditional = 65503;
inline constexpr int32_t _sSrcLoadFailed = 65504;
inline constexpr int32_t _sInvalidMemPtr = 65505;
inline constexpr int32_t _sFmtErrorMsg = 65506;
inline constexpr int32_t _sIndexOutOfBounds = 65507;
inline constexpr int32_t _sExpMarkupDecl = 65508;
inline constexpr int32_t _sIllAttrType = 65509;
inline constexpr int32_t _sIllAttrDefKeyw = 65510;
inline constexpr int32_t _sSysIdMissing = 65511;
inline constexpr int32_t _sExtModifMissing = 65512;
inline constexpr int32_t _sIllCondSectStart = 65513;
inline constexpr int32_t _sBadSepInModel = 65514;
inline constexpr int32_t _sExpCommentOrCDATA = 65515;
inline constexpr int32_t _sUnexpectedEof = 65516;
inline constexpr int32_t _sMismatchEndTag = 65517;
inline constexpr int32_t _sIllCharInRef = 65518;
inline constexpr int32_t _sUndeclaredEntity = 65519;
inline constexpr int32_t _sIENotInstalled = 65520;
inline constexpr int32_t _sOpenFileFailed = 65521;
inline constexpr int32_t _sFileNotFound = 65522;
inline constexpr int32_t _sAllocSrcMemFailed = 65523;
inline constexpr int32_t _sHttpReadReqFailed = 65524;
inline constexpr int32_t _sHttpDataNotAvail = 65525;
inline constexpr int32_t _sHttpReqSendFailed = 65526;
inline constexpr int32_t _sHttpReqOpenFailed = 65527;
inline constexpr int32_t _sInetConnectFailed = 65528;
inline constexpr int32_t _sInetOpenFailed = 65529;
inline constexpr int32_t _sInvalidFtpLoc = 65530;
inline constexpr int32_t _sInvalidFtpDir = 65531;
inline constexpr int32_t _sFtpReadReqFailed = 65532;
inline constexpr int32_t _sFtpDataNotAvail = 65533;
inline constexpr int32_t _sFtpOpenFileFailed = 65534;
inline constexpr int32_t _sFtpPutFileFailed = 65535;

}  // namespace XpRes

// The text of a message identifier; empty for an identifier without text.
AnsiString XpLoadStr(int32_t id);
// The same as a wide string.
WideString XpLoadWideStr(int32_t id);
// Number of texts in the table.
int32_t XpMessageCount();
