// The call reader against what clients send (Hamlib's FLRig backend, fldigi,
// Python's xmlrpc.client) and against bodies it must refuse.
#include "xmlrpc/XmlRpcCall.h"

#include <gtest/gtest.h>

namespace qx::xmlrpc {
namespace {

TEST(XmlRpcCall, ReadsTheCallsClientsSend)
{
    // Hamlib: untyped strings and typed numbers, CR LF between elements.
    auto c = parseCall("<?xml version=\"1.0\"?>\r\n<?clientid=\"hamlib(9935)\"?>\r\n<methodCall><methodName>rig.set_vfoA</methodName>\r\n"
                       "<params><param><value><double>14070000</double></value></param></params></methodCall>\r\n");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->method, "rig.set_vfoA");
    ASSERT_EQ(c->params.size(), 1u);
    EXPECT_EQ(c->params[0].number(), 14070000.0);

    // Python's client: indented, typed strings, no parameters at all.
    c = parseCall("<?xml version='1.0'?>\n<methodCall>\n<methodName>rig.get_vfoA</methodName>\n<params>\n</params>\n"
                  "</methodCall>\n");
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->params.empty());

    c = parseCall("<methodCall><methodName>rig.set_mode</methodName><params><param><value><string>CW-R</string>"
                  "</value></param><param><value> U&amp;S&#66;&#x21; </value></param><param><value/></param>"
                  "<param><value><array><data><value><i4>-7</i4></value><value><boolean>1</boolean></value>"
                  "</data></array></value></param></params></methodCall>");
    ASSERT_TRUE(c);
    ASSERT_EQ(c->params.size(), 4u);
    EXPECT_EQ(c->params[0].text(), "CW-R");
    EXPECT_EQ(c->params[1].text(), " U&SB! ");  // an untyped value keeps its spaces
    EXPECT_EQ(c->params[2].text(), "");
    ASSERT_TRUE(c->params[3].array());
    EXPECT_EQ(c->params[3].array()->at(0).number(), -7.0);
    EXPECT_EQ(c->params[3].array()->at(1).number(), 1.0);

    c = parseCall("<methodCall><methodName>system.listMethods</methodName></methodCall>");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->method, "system.listMethods");
}

TEST(XmlRpcCall, RefusesWhatIsNotACallWithAReason)
{
    const std::string deep = "<methodCall><methodName>x</methodName><params><param>" +
                             std::string("<value><array><data>") + "<value><array><data><value><array><data>" +
                             "<value><array><data><value><array><data><value>1</value>" +
                             "</data></array></value></data></array></value></data></array></value>" +
                             "</data></array></value></data></array></value></param></params></methodCall>";
    std::string many = "<methodCall><methodName>x</methodName><params>";
    for (int i = 0; i < 300; ++i)
        many += "<param><value>1</value></param>";
    many += "</params></methodCall>";
    for (const std::string& bad : {
             std::string(""),
             std::string("<methodCall>"),
             std::string("<?xml version=\"1.0\"<methodCall><methodName>x</methodName></methodCall>"),
             std::string("<methodCall><methodName></methodName></methodCall>"),
             std::string("<!DOCTYPE a [<!ENTITY e \"x\">]><methodCall><methodName>&e;</methodName></methodCall>"),
             std::string("<methodCall><methodName>a&bogus;</methodName></methodCall>"),
             std::string("<methodCall><methodName>a&#0;</methodName></methodCall>"),
             std::string("<methodCall><methodName>a&#x110000;</methodName></methodCall>"),
             std::string("<methodCall><methodName>x</methodName><params><param><value><struct><member><name>a"
                         "</name><value>1</value></member></struct></value></param></params></methodCall>"),
             std::string("<methodCall><methodName>x</methodName><params><param><value><i4>1.5</i4></value></param>"
                         "</params></methodCall>"),
             std::string("<methodCall><methodName>x</methodName><params><param><value><i4>99999999999</i4></value>"
                         "</param></params></methodCall>"),
             std::string("<methodCall><methodName>x</methodName><params><param><value><double>nan</double>"
                         "</value></param></params></methodCall>"),
             std::string("<methodCall><methodName>x</methodName></methodCall><methodCall>"),
             std::string("<methodCall><methodName>") + std::string(200, 'a') + "</methodName></methodCall>",
             deep,
             many,
         }) {
        std::string why;
        EXPECT_FALSE(parseCall(bad, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

TEST(XmlRpcCall, AnswersAreWhatFlrigWrites)
{
    EXPECT_EQ(responseXml(Value("A<B")),
              "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>\r\n\t<value>A&lt;B</value>\r\n"
              "</param></params></methodResponse>\r\n");
    const std::string list = responseXml(Value(Value::Array{Value("USB"), Value(2)}));
    EXPECT_NE(list.find("<value><array><data><value>USB</value><value><i4>2</i4></value></data></array></value>"),
              std::string::npos);
    const std::string f = faultXml(kFaultUnknownMethod, "unknown method x&y");
    EXPECT_NE(f.find("<fault>"), std::string::npos);
    EXPECT_NE(f.find("<i4>-32601</i4>"), std::string::npos);
    EXPECT_NE(f.find("unknown method x&amp;y"), std::string::npos);
}

} // namespace
} // namespace qx::xmlrpc
