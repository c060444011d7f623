#include "resources/tiptexts.h"

namespace zeva::res {

namespace {

const char* const kTips[] = {
    // 1
    "Bilgisayarda En Düşük Maliyetli Yem Formülü Hazırlamada kullanılan metot, bir Dogrusal "
    "Programlama (DP) metodu olan Simpleks metot'dur.",
    // 2
    "Doğrusal Programlama, doğrusal eşitlik ve eşitsizliklerle tanımlanan kısıtların hepsini sağlayan "
    "çözümler arasından amaç fonksiyonunu en küçük yapan çözümü bulur.",
    // 3
    "Yem formülasyonunda amaç fonksiyonu karışımın maliyetidir: karışıma giren her yem maddesinin "
    "miktarı ile birim fiyatının çarpımlarının toplamı. DP bu toplamı en küçük yapar.",
    // 4
    "Simpleks metot, kısıtların sınırladığı çözüm bölgesinin köşe noktalarında dolaşır; her adımda "
    "maliyeti düşüren komşu köşeye geçer ve daha fazla iyileşme kalmadığında en iyi formülde durur.",
    // 5
    "Büyük-M yönteminde eşitlik ve alt sınır kısıtlarına yapay değişkenler eklenir ve bunlara çok büyük "
    "bir maliyet (M) verilir. Çözümde yapay değişken kalırsa problemin uygun çözümü yoktur.",
    // 6
    "Formüle girmeyen bir yem maddesi için raporda verilen \"Giriş İçin Marjinal Fiyat Değişikliği\", "
    "o yemin fiyatının ne kadar düşmesi halinde formüle girmeye başlayacağını gösterir.",
    // 7
    "Fırsat maliyeti, formüle girmeyen bir yem maddesinden bir birim karışıma zorla katıldığında "
    "karışımın maliyetinin ne kadar artacağını gösterir. Formüldeki yemlerin fırsat maliyeti sıfırdır.",
    // 8
    "Raporda formüle girmeyen yemler için verilen \"Azami Fiyat\", o yemin karışıma girebileceği en "
    "yüksek fiyattır. Cari fiyat ile azami fiyat arasındaki fark, giriş için gereken fiyat düşüşüdür.",
    // 9
    "Bir kısıtın \"Gölge Fiyat\"ı, o kısıtın sınırı bir birim değiştirildiğinde karışımın maliyetinin "
    "ne kadar değişeceğini gösterir. Örneğin ham protein alt sınırını yükseltmenin maliyetini verir.",
    // 10
    "Gölge fiyatı sıfır olan bir kısıt çözümde bağlayıcı değildir; sınırı biraz değiştirilse de formül "
    "ve maliyet değişmez. Maliyeti belirleyen kısıtlar, gölge fiyatı sıfırdan farklı olanlardır.",
    // 11
    "Optimum yoğunluk formülasyonunda enerji düzeyi baştan sabitlenmez; farklı enerji yoğunluklarında "
    "formüller hazırlanır ve birim canlı ağırlık artışı ya da ürün başına maliyeti en düşük olan seçilir.",
    // 12
    "Besin maddesi faktörleri, yemdeki besin maddesinin hayvanın gerçekte yararlanabildiği kısmını "
    "hesaba katar. Örneğin toplam amino asit yerine sindirilebilir amino asit değerleriyle çalışılabilir.",
    // 13
    "Çoklu karışım formülasyonu, stokta sınırlı miktarda bulunan bir hammaddeyi aynı anda hazırlanan "
    "birkaç yem arasında, toplam maliyet en düşük olacak şekilde paylaştırır.",
    // 14
    "Hammaddelerin besin madde içerikleri partiden partiye değişir. Güvenlik payı olarak, değişkenliği "
    "yüksek besin maddelerinin alt sınırlarını ihtiyacın biraz üzerinde tutmak yerinde olur.",
    // 15
    "Duyarlılık analizi, en iyi formül değişmeden bir yemin fiyatının veya bir kısıtın sınırının hangi "
    "aralıkta oynayabileceğini gösterir; böylece fiyat dalgalanmalarına karşı formülün sağlamlığı görülür.",
    // 16
    "Parametrik analizde bir yemin fiyatı ya da bir besin maddesinin sınırı adım adım değiştirilerek "
    "problem yeniden çözülür; yemlerin hangi fiyatlarda formüle girip çıktığı böylece izlenir.",
    // 17
    "Uygun çözüm bulunamıyorsa kısıtlar birbiriyle çelişiyor demektir: seçilen yemlerle ulaşılamayacak "
    "bir alt sınır, alt sınırından küçük bir üst sınır ya da toplamı 1'i aşan sabit yem oranları gibi.",
    // 18
    "Uygun çözüm bulunamadığında sınırları tek tek gevşetip problemi yeniden çözün ya da eksik kalan "
    "besin maddesince zengin yeni bir yem maddesi ekleyin; çelişen kısıt böylece kolayca bulunur.",
    // 19
    "Doğrusal programlama, besin maddelerinin yem oranlarıyla doğrusal olarak toplandığını varsayar. "
    "Lezzet, yapı ve yemler arası etkileşimler için yem maddelerine pratik üst sınırlar konmalıdır.",
    // 20
    "ZEVA 2.0; DP metotları kullanan bir En Düşük Maliyetli Yem Formülü hazırlama programıdır.",
    // 21
    "ZEVA'de formüle girebilecek her yem maddesi için fiyat verilmelidir. Fiyatı boş bırakılan yem "
    "maddeleri çözümde hiç dikkate alınmaz ve formüle giremez.",
    // 22
    "Bir yem maddesinin karışımdaki oranını kesin olarak belirlemek için Sabit, en az oranı için Alt, en "
    "çok oranı için Üst sınır sütununu kullanın. Sınır verilmeyen yemleri program serbestçe kullanır.",
    // 23
    "Karma yem problemlerinde \"AGIRLIK\" besin maddesinin matristeki değeri her yem için 1, sabit sınırı "
    "1'dir. Bu satır, karışıma giren yem maddelerinin oranları toplamının 1 olmasını sağlar.",
    // 24
    "Besin maddesi ihtiyaçlarını mümkün olduğunca Alt sınır olarak girin. Sabit sınırlar çözümü "
    "gereksiz yere daraltır, maliyeti yükseltir ve uygun çözüm bulunamamasına yol açabilir.",
    // 25
    "Üst sınırı yalnızca fazlası zararlı olan besin maddelerine verin (ham selüloz, tuz, kalsiyum gibi). "
    "Gereksiz üst sınırlar çözüm bölgesini daraltır ve formülün maliyetini artırır.",
    // 26
    "Aktif problemi referans matristen yem maddelerini ve besin maddelerini seçerek kurabilirsiniz; "
    "böylece yemlerin besin madde değerlerini her problemde yeniden girmeniz gerekmez.",
    // 27
    "Karma yem problemleri havada kuru esaslı referans matrisi (MATNRC), günlük rasyon problemleri ise "
    "kuru madde esaslı referans matrisi (MATKUMAD) ile kurulur.",
    // 28
    "Referans matrislerine yeni yem maddeleri ve besin maddesi sütunları ekleyebilir, değerleri kendi "
    "analiz sonuçlarınızla düzeltebilirsiniz. Değişiklikten önce matrislerin yedeğini almayı unutmayın.",
    // 29
    "Besin maddesi oranları tablosunda iki besin maddesinin birbirine oranına sınır verebilirsiniz; "
    "örneğin kalsiyum/fosfor oranı için bir alt ve bir üst sınır tanımlanabilir.",
    // 30
    "Bir oran kısıtında birinci besin maddesi bölünen, ikincisi bölendir. Oranda kullanılan her iki "
    "besin maddesi de besin maddeleri tablosunda ve matriste bulunmalıdır.",
    // 31
    "Çözüm raporu önce optimum bulunup bulunmadığını ve karışımın maliyetini verir; ardından formüle "
    "giren her yem maddesinin karışımdaki oranı ve miktarı sıralanır.",
    // 32
    "Karma yem raporundaki yem miktarları, çözüm sırasında girilen karıştırıcı kapasitesi için "
    "hesaplanır. Farklı parti büyüklükleri için problemi yeni bir kapasiteyle yeniden çözebilirsiniz.",
    // 33
    "Günlük rasyon raporu her yem maddesi için hayvan başına kuru madde miktarını ve kuru maddedeki payını, "
    "sürünün tamamı için havada kuru miktarı ve hayvan başına günlük maliyeti verir.",
    // 34
    "Günlük rasyon problemlerinde her yem maddesinin kuru madde oranı \"KMO\" besin maddesi satırında "
    "bulunmalıdır; program fiyatları ve miktarları bu orana göre kuru madde esasına çevirir.",
    // 35
    "Raporun kısıtlar bölümünde her sınırın türü, istenen ve ulaşılan değeri ile gölge fiyatı yer alır. "
    "Gölge fiyatı büyük olan kısıtlar formülün maliyetini en çok etkileyenlerdir.",
    // 36
    "Çözüm raporu, problem dosyasının klasörüne aynı adla ve .TXT uzantısıyla yazılır. Raporu Rapor "
    "Editörü ile açıp inceleyebilir, düzenleyebilir ve yazdırabilirsiniz.",
    // 37
    "ZEVA'de Aktif problem matrisinde tüm yem maddelerinin ağırlık muhtevası 1'dir. Bu yem maddeleri "
    "toplamının 1'e eşit olmalarını sağlar.",
    // 38
    "Çözülen bir karma yem formülünü \"KM Esaslı Matrise Ekle\" komutuyla kuru madde esaslı referans "
    "matrisine yeni bir yem maddesi olarak ekleyip günlük rasyonlarda kullanabilirsiniz.",
    // 39
    "Sığırların günlük besin madde ihtiyaçlarını canlı ağırlık, canlı ağırlık artışı ve süt verimi gibi "
    "bilgilerden tahmin ettirip günlük rasyonun besin madde sınırlarına aktarabilirsiniz.",
    // 40
    "Problem dosyaları .ZVF uzantısıyla, varsayılan olarak program klasöründeki Data klasöründe saklanır. "
    "Her hayvan grubu için ayrı bir problem dosyası hazırlamak işinizi kolaylaştırır.",
    // 41
    "Yem, besin maddesi ve oran tablolarında yaptığınız değişiklikler problem dosyası kaydedilene kadar "
    "yalnızca bellekte tutulur; çalışmanızı kaybetmemek için dosyayı sık sık kaydedin.",
    // 42
    "Matris penceresinde boş bırakılan hücre sıfır sayılır. Bir yemde bulunan besin maddesinin değerini "
    "boş bırakmak, o yemi olduğundan fakir gösterir ve formülü bozar.",
    // 43
    "Rapordaki \"Azami Fiyat\" değerlerini hammadde alımında kullanabilirsiniz: formüle girmeyen bir yemi "
    "bu fiyatın altında alabiliyorsanız, o yem formüle girer ve maliyeti düşürür.",
    // 44
    "Formüle girmeyen bir yemi karışıma sokmak için fiyatını, raporda verilen Giriş İçin Marjinal Fiyat "
    "Değişikliği kadar değil, ondan biraz daha fazla düşürerek problemi yeniden çözün.",
};

}  // namespace

std::span<const char* const> tipTexts()
{
    return kTips;
}

}  // namespace zeva::res
