<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>Board</name>
    <message>
        <source>マスター２</source>
        <translation>Master 2</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>召喚</source>
        <translation>Summon</translation>
    </message>
    <message>
        <source>魔法</source>
        <translation>Magic</translation>
    </message>
    <message>
        <source>ゲーム終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>キー: M</source>
        <translation>Key: M</translation>
    </message>
    <message>
        <source>キー: S</source>
        <translation>Key: S</translation>
    </message>
    <message>
        <source>キー: G</source>
        <translation>Key: G</translation>
    </message>
    <message>
        <source>キー: Space（フィールドのカーソルがないときは Enter も）</source>
        <translation>Key: Space (Enter too, when the field has no cursor)</translation>
    </message>
    <message>
        <source>キー: Enter / Space</source>
        <translation>Key: Enter / Space</translation>
    </message>
    <message>
        <source>体</source>
        <translation>HP</translation>
    </message>
    <message>
        <source>魔</source>
        <translation>MP</translation>
    </message>
    <message>
        <source>移</source>
        <translation>MV</translation>
    </message>
    <message>
        <source>攻</source>
        <translation>AT</translation>
    </message>
    <message>
        <source>ステージ %1<byte value="xd"/>
 ターン %2</source>
        <translation>Stage %1
Turn %2</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>ロッタ</source>
        <translation>Lotta</translation>
    </message>
    <message>
        <source>？？？</source>
        <translation>???</translation>
    </message>
    <message>
        <source>すけるとん</source>
        <translation>Skeleton</translation>
    </message>
    <message>
        <source>骨から作った人造の使い魔。お手軽だけど、壊れやすい。・・・まぁしょうがないか。<byte value="xd"/>
「再生」：倒れてもすぐに復活できる</source>
        <translation>A Familiar made of bones. Cheap, but it breaks easily... oh well.
Revive: back at once after it falls</translation>
    </message>
    <message>
        <source>ふぇありー</source>
        <translation>Fairy</translation>
    </message>
    <message>
        <source>かわいい妖精さん。非力。でも、かわいいならＯＫ。</source>
        <translation>A cute little fairy. Weak. But cute makes it OK!</translation>
    </message>
    <message>
        <source>ごぶりん</source>
        <translation>Goblin</translation>
    </message>
    <message>
        <source>あんまりかわいくない妖精さん。<byte value="xd"/>
…あ、ごめん。嘘、嘘。</source>
        <translation>A not-so-cute fairy.
...Oops, sorry. Kidding, kidding.</translation>
    </message>
    <message>
        <source>さらまんだー</source>
        <translation>Salamander</translation>
    </message>
    <message>
        <source>炎の精霊さん。芋を焼くのに最適。</source>
        <translation>A fire spirit. Perfect for roasting sweet potatoes.</translation>
    </message>
    <message>
        <source>ぺがさす</source>
        <translation>Pegasus</translation>
    </message>
    <message>
        <source>空飛ぶ白馬。お使いに便利。</source>
        <translation>A flying white horse. Handy for errands.</translation>
    </message>
    <message>
        <source>ごーれむ</source>
        <translation>Golem</translation>
    </message>
    <message>
        <source>鋼鉄の自動人形。すっごい丈夫。<byte value="xd"/>
どっかの壊れやすい骨とはえらい違い。<byte value="xd"/>
「防御力２」：弾かれるマス－２</source>
        <translation>A steel automaton. Super tough.
Unlike certain fragile bones I know.
Guard 2: knocked back 2 squares less</translation>
    </message>
    <message>
        <source>けんたうろす</source>
        <translation>Centaur</translation>
    </message>
    <message>
        <source>半人半馬。弓が得意。<byte value="xd"/>
「弓矢」：移動先に使い魔がいるとき、移動せずに攻撃します。ただし、召喚時は無効。</source>
        <translation>Half human, half horse. A fine archer.
Bow: shoots instead of moving onto a Familiar. Not when summoned.</translation>
    </message>
    <message>
        <source>とろーる</source>
        <translation>Troll</translation>
    </message>
    <message>
        <source>力持ちの妖精さん。模様替えとか引越しとか、一家に一台って感じよね。</source>
        <translation>A strong fairy. Rearranging rooms, moving house... every home should have one.</translation>
    </message>
    <message>
        <source>わいばーん</source>
        <translation>Wyvern</translation>
    </message>
    <message>
        <source>普通の竜と違って、腕が翼。ペガサスよりも速く飛べる</source>
        <translation>Unlike a true dragon, its arms are wings. Flies faster than a Pegasus</translation>
    </message>
    <message>
        <source>どらごん</source>
        <translation>Dragon</translation>
    </message>
    <message>
        <source>使い魔サイズでも竜は竜。私より強いってのが気に入らないけど。<byte value="xd"/>
こんなのどうやって使い魔にしたの！？<byte value="xd"/>
「防御力１」：弾かれるマス－１</source>
        <translation>Familiar-sized, but a dragon all the same. Stronger than me, which I hate.
How did this end up a Familiar?!
Guard 1: knocked back 1 square less</translation>
    </message>
    <message>
        <source>使い魔を眠らして１ラウンド行動不能にする</source>
        <translation>Puts a Familiar to sleep: it cannot act for one round</translation>
    </message>
    <message>
        <source>HP１点回復</source>
        <translation>Restores 1 HP</translation>
    </message>
    <message>
        <source>攻撃力２の攻撃</source>
        <translation>An attack with attack 2</translation>
    </message>
    <message>
        <source>使い魔の移動力＋１（最大６まで）</source>
        <translation>A Familiar&apos;s movement +1 (up to 6)</translation>
    </message>
    <message>
        <source>使い魔の攻撃力＋１（最大６まで）</source>
        <translation>A Familiar&apos;s attack +1 (up to 6)</translation>
    </message>
    <message>
        <source>指定したマスに止まるとマスターのところに帰ってしまう（１回限り有効）</source>
        <translation>A Familiar that stops on the chosen square goes home to its Master (works once)</translation>
    </message>
    <message>
        <source>HP３点回復</source>
        <translation>Restores 3 HP</translation>
    </message>
    <message>
        <source>指定したマスを中心に前後２マスの間にいる使い魔に攻撃力３の攻撃</source>
        <translation>An attack with attack 3 on every Familiar within 2 squares of the chosen one</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>行動を選択してください</source>
        <translation>What will you do?</translation>
    </message>
    <message>
        <source>移動できる使い魔がいません</source>
        <translation>No Familiar can move</translation>
    </message>
    <message>
        <source>移動させる使い魔を選んでください</source>
        <translation>Choose a Familiar to move</translation>
    </message>
    <message>
        <source>召喚できる使い魔がいません</source>
        <translation>No Familiar can be summoned</translation>
    </message>
    <message>
        <source>召喚する使い魔を選んでください</source>
        <translation>Choose a Familiar to summon</translation>
    </message>
    <message>
        <source>使える魔法がありません</source>
        <translation>No Magic you can cast</translation>
    </message>
    <message>
        <source>魔法を選んでください</source>
        <translation>Choose a Magic</translation>
    </message>
    <message>
        <source>移動先を選んでください</source>
        <translation>Choose where it moves</translation>
    </message>
    <message>
        <source>魔法の対象がありません</source>
        <translation>Nothing to cast it on</translation>
    </message>
    <message>
        <source>魔法をかける地点を選んでください</source>
        <translation>Choose a square to cast it on</translation>
    </message>
    <message>
        <source>魔法の対象を選んでください</source>
        <translation>Choose a target</translation>
    </message>
    <message>
        <source>開始ボタンを押してください</source>
        <translation>Press Start</translation>
    </message>
    <message>
        <source>行動を選んでください</source>
        <translation>What will you do?</translation>
    </message>
    <message>
        <source>使えるセーブデータがありません</source>
        <translation>No usable save</translation>
    </message>
    <message>
        <source>まだセーブできるゲームがありません</source>
        <translation>No game to save yet</translation>
    </message>
    <message>
        <source>セーブできませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>セーブしました</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>…思考中…</source>
        <translation>...thinking...</translation>
    </message>
</context>
<context>
    <name>Screens</name>
    <message>
        <source>ロッタは魔法使い見習いです。<byte value="xd"/>
この前、先生から使い魔たちのお世話をまかされました。<byte value="xd"/>
ところが、その使い魔たちがみーんな逃げ出しちゃった！<byte value="xd"/>
「先生にバレる前に、ちゃちゃっと連れ戻しちゃおっと♪」</source>
        <translation>Lotta is an apprentice witch.
Her teacher just put her in charge of the Familiars.
But now every last one of them has run away!
&quot;I&apos;ll round them up before Teacher finds out ♪&quot;</translation>
    </message>
    <message>
        <source>？？？「あいたたた・・・」</source>
        <translation>???: &quot;Ow, ow, ow...&quot;</translation>
    </message>
    <message>
        <source>ロッタ「あれっ！？ せ、先生！？ なんで先生がここに！？」</source>
        <translation>Lotta: &quot;Huh?! T-Teacher?! What are you doing here?!&quot;</translation>
    </message>
    <message>
        <source>先生「使い魔が逃げたのは最初からわしの仕業じゃ。よい修行じゃったろ？」</source>
        <translation>Teacher: &quot;The runaways were my doing all along. Good training, eh?&quot;</translation>
    </message>
    <message>
        <source>ロッタ「ひっどーい！ そんなの、ぜーったい許さないんだから！」</source>
        <translation>Lotta: &quot;That&apos;s so mean! I&apos;ll never, ever forgive you!&quot;</translation>
    </message>
    <message>
        <source>先生「ふぉっふぉっふぉ、そう怒るでない怒るでない♪」</source>
        <translation>Teacher: &quot;Ho ho ho! Now, now, don&apos;t be cross, don&apos;t be cross ♪&quot;</translation>
    </message>
    <message>
        <source>ロッタの成長</source>
        <translation>Lotta&apos;s Growth</translation>
    </message>
    <message>
        <source>今日の成果</source>
        <translation>Today&apos;s Haul</translation>
    </message>
    <message>
        <source>次のステージ</source>
        <translation>Next Stage</translation>
    </message>
    <message>
        <source>ベロラン</source>
        <translation>Beroran</translation>
    </message>
    <message>
        <source>最初から</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>続きから</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>始まり</source>
        <translation>Prologue</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>タイトルに戻る</source>
        <translation>Back to Title</translation>
    </message>
    <message>
        <source>げーむおーばー</source>
        <translation>Game Over</translation>
    </message>
    <message>
        <source>げーむくりあ</source>
        <translation>Game Clear</translation>
    </message>
    <message>
        <source>今日の成果？</source>
        <translation>Today&apos;s Haul?</translation>
    </message>
    <message>
        <source>使い魔<byte value="xd"/>
「%1」<byte value="xd"/>
をゲット！</source>
        <translation>Got a Familiar:
%1!</translation>
    </message>
    <message>
        <source>魔法<byte value="xd"/>
「%1」<byte value="xd"/>
をゲット！</source>
        <translation>Got a Magic:
%1!</translation>
    </message>
    <message>
        <source>最短記録を更新！<byte value="xd"/>
ステージ%1<byte value="xd"/>
%2→%3</source>
        <translation>New record!
Stage %1
%2→%3 turns</translation>
    </message>
    <message>
        <source>最短記録を更新！<byte value="xd"/>
総ターン<byte value="xd"/>
%1→%2</source>
        <translation>New record!
Whole game
%1→%2 turns</translation>
    </message>
    <message>
        <source>（記録を保存できません）</source>
        <translation>(The record could not be saved)</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>ベロラン</source>
        <translation>Beroran</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>タイトルに戻る</source>
        <translation>Back to Title</translation>
    </message>
    <message>
        <source>セーブ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ロード</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>画面サイズ</source>
        <translation>Window Size</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>はやい</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>とてもはやい</source>
        <translation>Very Fast</translation>
    </message>
    <message>
        <source>ゲーム終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>最短記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>ステージ１</source>
        <translation>Stage 1</translation>
    </message>
    <message>
        <source>ステージ２</source>
        <translation>Stage 2</translation>
    </message>
    <message>
        <source>ステージ３</source>
        <translation>Stage 3</translation>
    </message>
    <message>
        <source>ステージ４</source>
        <translation>Stage 4</translation>
    </message>
    <message>
        <source>ステージ５</source>
        <translation>Stage 5</translation>
    </message>
    <message>
        <source>ステージ６</source>
        <translation>Stage 6</translation>
    </message>
    <message>
        <source>ステージ７</source>
        <translation>Stage 7</translation>
    </message>
    <message>
        <source>ステージ８</source>
        <translation>Stage 8</translation>
    </message>
    <message>
        <source>総ターン</source>
        <translation>Whole Game</translation>
    </message>
    <message>
        <source>ステージ１…%1</source>
        <translation>Stage 1: %1 turns</translation>
    </message>
    <message>
        <source>ステージ２…%1</source>
        <translation>Stage 2: %1 turns</translation>
    </message>
    <message>
        <source>ステージ３…%1</source>
        <translation>Stage 3: %1 turns</translation>
    </message>
    <message>
        <source>ステージ４…%1</source>
        <translation>Stage 4: %1 turns</translation>
    </message>
    <message>
        <source>ステージ５…%1</source>
        <translation>Stage 5: %1 turns</translation>
    </message>
    <message>
        <source>ステージ６…%1</source>
        <translation>Stage 6: %1 turns</translation>
    </message>
    <message>
        <source>ステージ７…%1</source>
        <translation>Stage 7: %1 turns</translation>
    </message>
    <message>
        <source>ステージ８…%1</source>
        <translation>Stage 8: %1 turns</translation>
    </message>
    <message>
        <source>総ターン…%1</source>
        <translation>Whole game: %1 turns</translation>
    </message>
</context>
</TS>
